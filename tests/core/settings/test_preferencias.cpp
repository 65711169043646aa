#include "core/data/uApp.h"
#include "core/data/uDM.h"
#include "core/settings/uPreferencias.h"
#include "core/shell/uLog.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QSqlRecord>
#include <QTest>

// The preferences in table CONF and the workstation's file, on every engine of the test run.
class TestPreferencias : public QObject
{
    Q_OBJECT

private:
    static IniFile ini(const TestDatabase &db) { return IniFile(db.directory().iniFile()); }
    static void storeParam(TDM &dm, const QString &param)
    {
        dm.Anadir(QStringLiteral("CONF"), {{QStringLiteral("Param"), param}});
    }
    static QString storedParam(TDM &dm)
    {
        return dm.Valor(QStringLiteral("SELECT Param FROM CONF ORDER BY idConf")).toString();
    }

private slots:
    void anEmptyTableGivesTheDefaultsAndTheFirstSaveCreatesTheRow()
    {
        TestDatabase db;
        TDM dm(db.directory());
        TPreferences prefs(ini(db));
        QCOMPARE(prefs.HumedadMinima, 40);
        QCOMPARE(prefs.HumedadMaxima, 60);
        QCOMPARE(prefs.TemperaturaMinima, 15);
        QCOMPARE(prefs.TemperaturaMaxima, 25);
        QCOMPARE(prefs.IdatMedOB, 1);
        QCOMPARE(prefs.TipoBlister, 1);
        QCOMPARE(prefs.PEtiquetas, QStringLiteral("LB-m.000"));
        QVERIFY(prefs.NoReinoUnido);
        QCOMPARE(dm.Valor(QStringLiteral("SELECT count(*) FROM CONF")).toInt(), 0);

        prefs.ofNombre = QStringLiteral("FARMACIA CENTRAL");
        prefs.Guardar();
        QCOMPARE(dm.Valor(QStringLiteral("SELECT count(*) FROM CONF")).toInt(), 1);
        const QString expected = QStringLiteral(
                "LogCom=0\r\nServerMode=0\r\nHumedadMinima=40\r\nHumedadMaxima=60\r\nTemperaturaMinima=15\r\n"
                "TemperaturaMaxima=25\r\nVaritemperatura=0\r\nVarihumedad=0\r\nofNombre=FARMACIA CENTRAL\r\n"
                "ofTitular=\r\nofTelefono=\r\nofDireccion=\r\nofEmail=\r\nofWeb=\r\nofCP=\r\nofCF="
                "\r\nEtiquetasDX=0\r\n"
                "EtiquetasDY=0\r\nIdatMedOB=1\r\nETIPRINTER=\r\nIP=\r\nIdioma=\r\nPais=\r\nTipoBlister=1\r\n"
                "PEtiquetas=LB-m.000");
        QCOMPARE(storedParam(dm), expected);
    }

    void reading_data()
    {
        QTest::addColumn<QString>("param");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::newRow("key in lower case") << "humedadminima=35"
                                           << "HumedadMinima"
                                           << "35";
        QTest::newRow("value after the first =") << "ofWeb=a=b"
                                                 << "ofWeb"
                                                 << "a=b";
        QTest::newRow("empty value is absent") << "HumedadMaxima="
                                               << "HumedadMaxima"
                                               << "60";
        QTest::newRow("malformed number takes the default") << "HumedadMaxima=6O"
                                                            << "HumedadMaxima"
                                                            << "60";
        QTest::newRow("label layout empty") << "PEtiquetas="
                                            << "PEtiquetas"
                                            << "LB-m.000";
        QTest::newRow("label layout 0") << "PEtiquetas=0"
                                        << "PEtiquetas"
                                        << "LB-m.000";
        QTest::newRow("label layout named") << "PEtiquetas=LB-x.001"
                                            << "PEtiquetas"
                                            << "LB-x.001";
        QTest::newRow("address on two lines") << "ofDireccion=C/ Mayor 1 ||28001 Madrid"
                                              << "ofDireccion"
                                              << "C/ Mayor 1\r\n28001 Madrid";
        QTest::newRow("line without =") << "HumedadMinima\r\nTemperaturaMinima=12"
                                        << "TemperaturaMinima"
                                        << "12";
        QTest::newRow("flag") << "LogCom=1"
                              << "LogCom"
                              << "1";
    }
    void reading()
    {
        QFETCH(QString, param);
        QFETCH(QString, field);
        QFETCH(QString, value);
        const TPreferenciasValores valores
                = TPreferenciasValores::desde(param.split(QStringLiteral("\r\n")), {});
        const QStringList lines = valores.lineas();
        QString actual = ValorDe(lines, field);
        actual.replace(QStringLiteral(" ||"), QStringLiteral("\r\n"));
        QCOMPARE(actual, value);
    }

    void malformedNumberIsLoggedAndStartUpGoesOn()
    {
        TestDatabase db;
        db.appDirectory().write(QStringLiteral("pastillero.log"), {});
        IniFile logIni(db.appDirectory().write(QStringLiteral("log.ini"), "[VERSION]\r\nLOG=1\r\n"));
        uLog::IniciarLog(logIni, db.directory().logFile());
        TDM dm(db.directory());
        storeParam(dm, QStringLiteral("HumedadMinima=treinta\r\nHumedadMaxima=70"));
        TPreferences prefs(ini(db));
        uLog::CerrarLog();
        QCOMPARE(prefs.HumedadMinima, 40);
        QCOMPARE(prefs.HumedadMaxima, 70);
        QVERIFY(db.appDirectory().read(QStringLiteral("pastillero.log")).contains("HumedadMinima"));
    }

    void olderColumnsAreReadWhenParamLacksTheKey()
    {
        TestDatabase db;
        TDM dm(db.directory());
        dm.Anadir(QStringLiteral("CONF"),
                  {{QStringLiteral("Param"), QStringLiteral("HumedadMinima=33")},
                   {QStringLiteral("HumedadMinima"), 30},
                   {QStringLiteral("HumedadMaxima"), 55},
                   {QStringLiteral("LogCom"), 1},
                   {QStringLiteral("ofNombre"), QStringLiteral("FARMACIA ANTIGUA")},
                   {QStringLiteral("TemperaturaMaxima"), QVariant()}});
        TPreferences prefs(ini(db));
        QCOMPARE(prefs.HumedadMinima, 33);
        QCOMPARE(prefs.HumedadMaxima, 55);
        QCOMPARE(prefs.LogCom, true);
        QCOMPARE(prefs.ofNombre, QStringLiteral("FARMACIA ANTIGUA"));
        QCOMPARE(prefs.TemperaturaMaxima, 25);
        // Once saved, Param holds every key.
        prefs.Guardar();
        QVERIFY(storedParam(dm).contains(QStringLiteral("ofNombre=FARMACIA ANTIGUA")));
        QVERIFY(storedParam(dm).contains(QStringLiteral("HumedadMaxima=55")));
    }

    void theAddressKeepsItsLines()
    {
        TestDatabase db;
        TDM dm(db.directory());
        TPreferences prefs(ini(db));
        prefs.ofDireccion = QStringLiteral("C/ Mayor 1\r\n28001 Madrid");
        prefs.Guardar();
        QVERIFY(storedParam(dm).contains(QStringLiteral("ofDireccion=C/ Mayor 1 ||28001 Madrid\r\n")));
        TPreferences again(ini(db));
        QCOMPARE(again.ofDireccion, QStringLiteral("C/ Mayor 1\r\n28001 Madrid"));
    }

    void theWorkstationPrinterWins()
    {
        TestDatabase db;
        TDM dm(db.directory());
        storeParam(dm, QStringLiteral("ETIPRINTER=SHARED"));
        QCOMPARE(TPreferences(ini(db)).ETIPRINTER, QStringLiteral("SHARED"));
        IniFile file = ini(db);
        file.writeString(QStringLiteral("PREFERENCES"), QStringLiteral("ETIPRINTER"),
                         QStringLiteral("MOSTRADOR"));
        TPreferences prefs(ini(db));
        QCOMPARE(prefs.ETIPRINTER, QStringLiteral("MOSTRADOR"));
        prefs.Guardar();
        QVERIFY(storedParam(dm).contains(QStringLiteral("ETIPRINTER=MOSTRADOR")));
        prefs.ETIPRINTER = QStringLiteral("ZEBRA");
        prefs.Guardar();
        QCOMPARE(file.readString(QStringLiteral("PREFERENCES"), QStringLiteral("ETIPRINTER")),
                 QStringLiteral("ZEBRA"));
    }

    void twoWorkstationsKeepEachOthersChanges()
    {
        TestDatabase db;
        TDM dm(db.directory());
        storeParam(dm, QStringLiteral("HumedadMinima=40\r\nofNombre=FARMACIA\r\nFuturaClave=x"));
        TPreferences first(ini(db));
        TPreferences second(ini(db));
        first.HumedadMinima = 35;
        first.Guardar();
        second.ofNombre = QStringLiteral("FARMACIA NUEVA");
        second.Guardar();
        QCOMPARE(second.HumedadMinima, 35); // saving brings in the other workstation's change

        TPreferences fresh(ini(db));
        QCOMPARE(fresh.HumedadMinima, 35);
        QCOMPARE(fresh.ofNombre, QStringLiteral("FARMACIA NUEVA"));
        QVERIFY(storedParam(dm).endsWith(QStringLiteral("\r\nFuturaClave=x")));
    }

    void aDoctorIsAppendedWithoutRewritingTheList()
    {
        TestDatabase db;
        TDM dm(db.directory());
        TPreferences first(ini(db));
        TPreferences second(ini(db));
        first.AnadirMedico(QStringLiteral("dr. garcía"));
        second.AnadirMedico(QStringLiteral("DRA. LÓPEZ"));
        second.AnadirMedico(QStringLiteral(" dr. GARCÍA "));
        QCOMPARE(second.Medicos, (QStringList {QStringLiteral("DR. GARCÍA"), QStringLiteral("DRA. LÓPEZ")}));
        first.HumedadMinima = 30;
        first.Guardar(); // saving the preferences leaves the doctors alone
        QCOMPARE(TPreferences(ini(db)).Medicos, second.Medicos);
        QCOMPARE(dm.Valor(QStringLiteral("SELECT Medicos FROM CONF")).toString(),
                 QStringLiteral("DR. GARCÍA\r\nDRA. LÓPEZ"));
    }

    void theLogoIsStoredAsGiven()
    {
        TestDatabase db;
        TDM dm(db.directory());
        TPreferences prefs(ini(db));
        prefs.Logo = QByteArray("\x89PNG\r\n\x1a\n\0\x01\x02", 11);
        prefs.Guardar();
        QCOMPARE(TPreferences(ini(db)).Logo, prefs.Logo);
    }

    void unitedKingdom()
    {
        TestDatabase db;
        TDM dm(db.directory());
        TPreferences prefs(ini(db));
        prefs.Pais = QStringLiteral("3");
        prefs.Guardar();
        QVERIFY(!prefs.NoReinoUnido);
        QVERIFY(!TPreferences(ini(db)).NoReinoUnido);
    }

    void defaultCountry_data()
    {
        QTest::addColumn<QString>("idioma");
        QTest::addColumn<QString>("pais");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Portuguese") << "1"
                                    << ""
                                    << "1";
        QTest::newRow("English") << "3"
                                 << ""
                                 << "3";
        QTest::newRow("Italian has no country") << "4"
                                                << ""
                                                << "";
        QTest::newRow("country kept") << "0"
                                      << "2"
                                      << "2";
        QTest::newRow("no language") << ""
                                     << ""
                                     << "";
    }
    void defaultCountry()
    {
        QFETCH(QString, idioma);
        QFETCH(QString, pais);
        QFETCH(QString, expected);
        TestDatabase db;
        TDM dm(db.directory());
        TPreferences prefs(ini(db));
        prefs.Idioma = idioma;
        prefs.Pais = pais;
        prefs.PaisPorDefecto();
        QCOMPARE(prefs.Pais, expected);
        QCOMPARE(TPreferences(ini(db)).Pais, expected);
    }

    void emptyCatalogueMark_data()
    {
        QTest::addColumn<QString>("pais");
        QTest::addColumn<bool>("withMedication");
        QTest::addColumn<QString>("key");
        QTest::newRow("Spain") << "0" << false << "MED";
        QTest::newRow("France") << "2" << false << "MED2";
        QTest::newRow("catalogue not empty") << "0" << true << "";
    }
    void emptyCatalogueMark()
    {
        QFETCH(QString, pais);
        QFETCH(bool, withMedication);
        QFETCH(QString, key);
        TestDatabase db;
        TDM dm(db.directory());
        if (withMedication)
            dm.Anadir(QStringLiteral("Medicamento"), {{QStringLiteral("idMedicamento"), 1}});
        TPreferences prefs(ini(db));
        prefs.Pais = pais;
        IniFile file = ini(db);
        MarcarCatalogoVacio(file);
        QStringList written = file.keys(QStringLiteral("VERSION"));
        written.removeAll(QStringLiteral("BDfile"));
        QCOMPARE(written, key.isEmpty() ? QStringList() : QStringList {key});
        if (!key.isEmpty())
            QCOMPARE(file.readString(QStringLiteral("VERSION"), key), QStringLiteral("0"));
    }

    void valueOfAKey_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("other case") << QStringList {"Pais=2"} << "PAIS"
                                    << "2";
        QTest::newRow("first line wins") << QStringList {"a=1", "A=2"} << "a"
                                         << "1";
        QTest::newRow("missing") << QStringList {"a=1"} << "b"
                                 << "";
        QTest::newRow("line without =") << QStringList {"a", "a=3"} << "a"
                                        << "3";
        QTest::newRow("prefix is not the key") << QStringList {"ab=1"} << "a"
                                               << "";
    }
    void valueOfAKey()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QCOMPARE(ValorDe(lines, key), value);
    }
};

PASTILLERO_DATA_TEST_MAIN(TestPreferencias)
#include "test_preferencias.moc"
