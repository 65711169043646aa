#include "core/common/TextEncoding.h"

#include <QTest>

class TestTextEncoding : public QObject
{
    Q_OBJECT

private slots:
    void decodesEitherEncoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ascii") << QByteArray("LOG=1") << QStringLiteral("LOG=1");
        QTest::newRow("utf-8") << QByteArray("Jos\xC3\xA9 Mu\xC3\xB1oz") << QStringLiteral("José Muñoz");
        QTest::newRow("utf-8 with byte order mark")
                << QByteArray("\xEF\xBB\xBF[VERSION]") << QStringLiteral("[VERSION]");
        QTest::newRow("windows-1252 letters")
                << QByteArray("Jos\xE9 Mu\xF1oz") << QStringLiteral("José Muñoz");
        QTest::newRow("windows-1252 euro and quotes")
                << QByteArray("\x80 \x93x\x94") << QString::fromUtf8("€ \xE2\x80\x9Cx\xE2\x80\x9D");
        QTest::newRow("undefined windows-1252 byte")
                << QByteArray("a\x81z") << QString::fromUtf8("a\xEF\xBF\xBDz");
        QTest::newRow("truncated utf-8 sequence is windows-1252")
                << QByteArray("ma\xC3") << QStringLiteral("maÃ");
    }
    void decodesEitherEncoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QCOMPARE(TextEncoding::decodeUtf8OrWindows1252(bytes), expected);
    }

    void encodesWindows1252_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("plain") << QStringLiteral("CHARGE;1") << QByteArray("CHARGE;1");
        QTest::newRow("accents") << QStringLiteral("Ibuprofeno 600 mg cápsula")
                                 << QByteArray("Ibuprofeno 600 mg c\xE1psula");
        QTest::newRow("euro") << QStringLiteral("€") << QByteArray("\x80");
        QTest::newRow("not representable") << QStringLiteral("α1") << QByteArray("?1");
        QTest::newRow("empty") << QString() << QByteArray();
    }
    void encodesWindows1252()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, expected);
        QCOMPARE(TextEncoding::toWindows1252(text), expected);
        if (!expected.contains('?'))
            QCOMPARE(TextEncoding::fromWindows1252(expected), text);
    }

    void longTextSurvivesBothWays()
    {
        const QString text = QStringLiteral("ñ").repeated(5000);
        QCOMPARE(TextEncoding::fromWindows1252(TextEncoding::toWindows1252(text)), text);
    }
};

QTEST_GUILESS_MAIN(TestTextEncoding)
#include "test_text_encoding.moc"
