#include "core/data/DemoPharmacy.h"
#include "core/data/uDM.h"
#include "core/settings/uPreferencias.h"
#include "core/shell/PasswordHash.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTest>

// The demo pharmacy, on every engine of the test run.
class TestDemoPharmacy : public QObject
{
    Q_OBJECT

private:
    static int count(TDM &dm, const QString &from)
    {
        return dm.Valor(QStringLiteral("SELECT count(*) FROM ") + from).toInt();
    }

    QStringList m_doses; // the dose texts of the demo's treatment lines

private slots:
    void initTestCase()
    {
        TestDatabase db;
        TDM dm(db.directory());
        TPreferences prefs(IniFile(db.directory().iniFile()));
        DemoPharmacy::Preparar(dm, prefs);
        m_doses.clear();
        TConsulta query = dm.Consulta(QStringLiteral("SELECT Dosis FROM SPD"));
        while (query.next())
            m_doses << query.value(0).toString();
    }

    void aFirstStartFillsTheDatabase()
    {
        TestDatabase db;
        TDM dm(db.directory());
        TPreferences prefs(IniFile(db.directory().iniFile()));
        QVERIFY(DemoPharmacy::Preparar(dm, prefs));

        QCOMPARE(dm.ListaCategorias().size(), 2);
        QCOMPARE(count(dm, QStringLiteral("Paciente")), 12);
        QVERIFY(count(dm, QStringLiteral("Medicamento")) >= 40);
        QCOMPARE(count(dm, QStringLiteral("Paciente WHERE CodCategoria = 0")), 4);
        QVERIFY(count(dm, QStringLiteral("SPD")) >= 50);
        QCOMPARE(count(dm, QStringLiteral("SPDHIST")), count(dm, QStringLiteral("SPD")));
        QVERIFY(count(dm, QStringLiteral("Inventario WHERE Lote IS NOT NULL AND Caducidad IS NOT NULL"))
                > 30);
        // Every treatment line names a medication of the catalogue.
        QCOMPARE(count(dm,
                       QStringLiteral(
                               "SPD WHERE idMedicamento NOT IN (SELECT idMedicamento FROM Medicamento)")),
                 0);
        QCOMPARE(prefs.ofNombre, QStringLiteral("FARMACIA DEMOSTRACION"));
        QCOMPARE(prefs.Medicos.size(), 2);
    }

    void everyKindOfDoseRuleIsUsed_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::newRow("every n days") << ":D:D:\\d+$";
        QTest::newRow("days on and off") << ":D:R:\\d+:\\d+$";
        QTest::newRow("weekdays every n weeks") << ":S:\\d+:[01]{7}$";
        QTest::newRow("day of the month") << ":M:D:\\d+:\\d+$";
        QTest::newRow("position in the month") << ":M:P:[1-5]:[1-8]:\\d+$";
        QTest::newRow("older single digit") << "^[^:]+:[1-7]$";
        QTest::newRow("weekly table of 28 cells") << "^(\\d(,\\d+)?-){27}\\d(,\\d+)?:T$";
        QTest::newRow("fraction") << ",(25|5)-";
        QTest::newRow("free text outside the blister") << "^[A-Z0-9 ]+$";
    }
    void everyKindOfDoseRuleIsUsed()
    {
        QFETCH(QString, pattern);
        const QRegularExpression rule(pattern);
        bool found = false;
        for (const QString &dose : std::as_const(m_doses))
            found = found || rule.match(dose).hasMatch();
        QVERIFY(found);
    }

    void theUsersLogInWithThePrintedPasswords()
    {
        TestDatabase db;
        TDM dm(db.directory());
        TPreferences prefs(IniFile(db.directory().iniFile()));
        DemoPharmacy::Preparar(dm, prefs);
        const struct
        {
            const char *user;
            const char *password;
            int profile;
        } users[] = {{DemoPharmacy::kFarmaceutico, DemoPharmacy::kClaveFarmaceutico, 1},
                     {DemoPharmacy::kAuxiliar, DemoPharmacy::kClaveAuxiliar, 0}};
        for (const auto &user : users) {
            TConsulta row
                    = dm.Consulta(QStringLiteral("SELECT password, idPerfil FROM Usuario WHERE username = ?"),
                                  {QString::fromLatin1(user.user)});
            QVERIFY(row.next());
            QVERIFY(PasswordHash::Verificar(row.value(0).toString(), QString::fromLatin1(user.password)));
            QCOMPARE(row.value(1).toInt(), user.profile);
        }
    }

    void aDatabaseWithDataIsLeftAlone()
    {
        TestDatabase db;
        TDM dm(db.directory());
        TPreferences prefs(IniFile(db.directory().iniFile()));
        QVERIFY(DemoPharmacy::Preparar(dm, prefs));
        const int patients = count(dm, QStringLiteral("Paciente"));
        QVERIFY(!DemoPharmacy::Preparar(dm, prefs));
        QCOMPARE(count(dm, QStringLiteral("Paciente")), patients);
    }

    void preparedOnlyWhenAskedFor_data()
    {
        QTest::addColumn<bool>("demoDirectory");
        QTest::addColumn<bool>("commandLine");
        QTest::addColumn<int>("patients");
        QTest::newRow("a pharmacy's own directory") << false << false << 0;
        QTest::newRow("the demo directory") << true << false << 12;
        QTest::newRow("asked for on the command line") << false << true << 12;
    }
    void preparedOnlyWhenAskedFor()
    {
        QFETCH(bool, demoDirectory);
        QFETCH(bool, commandLine);
        QFETCH(int, patients);
        TestDatabase db;
        TDM dm(db.directory());
        TPreferences prefs(IniFile(db.directory().iniFile()));
        IniFile ini(db.directory().iniFile());
        if (demoDirectory)
            ini.writeString(QStringLiteral("DEMO"), QStringLiteral("FARMACIA"), QStringLiteral("1"));
        QCOMPARE(DemoPharmacy::PrepararSiProcede(ini, commandLine, dm, prefs), patients > 0);
        QCOMPARE(count(dm, QStringLiteral("Paciente")), patients);
    }
};

PASTILLERO_DATA_TEST_MAIN(TestDemoPharmacy)
#include "test_demo_pharmacy.moc"
