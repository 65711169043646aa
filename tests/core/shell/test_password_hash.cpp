#include "core/shell/PasswordHash.h"

#include <QTest>

class TestPasswordHash : public QObject
{
    Q_OBJECT

private slots:
    void theHashIsNotThePasswordAndIsSalted()
    {
        const QString first = PasswordHash::Crear(QStringLiteral("Farmacia1"));
        const QString second = PasswordHash::Crear(QStringLiteral("Farmacia1"));
        QVERIFY(!first.contains(QStringLiteral("Farmacia1")));
        QVERIFY(first != second);
        QVERIFY(first.size() <= 255); // fits Usuario.password
    }

    void verification_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("same password") << "contraseña ñ" << true;
        QTest::newRow("other case") << "CONTRASEÑA Ñ" << false;
        QTest::newRow("trailing blank") << "contraseña ñ " << false;
        QTest::newRow("empty") << "" << false;
    }
    void verification()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        static const QString hash = PasswordHash::Crear(QStringLiteral("contraseña ñ"));
        QCOMPARE(PasswordHash::Verificar(hash, typed), accepted);
    }

    void aTextThatIsNotAHashAcceptsNothing()
    {
        QVERIFY(!PasswordHash::Verificar(QStringLiteral("secreto"), QStringLiteral("secreto")));
        QVERIFY(!PasswordHash::Verificar(QString(), QString()));
    }
};

QTEST_GUILESS_MAIN(TestPasswordHash)
#include "test_password_hash.moc"
