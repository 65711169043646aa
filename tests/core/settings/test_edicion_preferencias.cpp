#include "core/data/uDM.h"
#include "core/settings/EdicionPreferencias.h"
#include "core/settings/uPreferencias.h"
#include "support/TestDatabase.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

// A text field of the screen, for rows that edit one field.
using Texto = QString TCamposPreferencias::*;
Q_DECLARE_METATYPE(Texto)

// The preferences as the preferences screen edits them: the checks of its fields, what counts as
// a change, and a save that keeps what another workstation stored meanwhile.
class TestEdicionPreferencias : public QObject
{
    Q_OBJECT

    static TCamposPreferencias campos() { return CamposDe(TPreferenciasValores {}, {}, {}); }

private slots:
    void losCamposSeCompruebanEnSuOrden_data()
    {
        QTest::addColumn<Texto>("campo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("error"); // TCampoNumerico, -1 for none
        QTest::addColumn<QString>("mensaje");
        const QString formato = QStringLiteral("EL FORMATO ES INCORRECTO");
        const QString invertidos = QStringLiteral("EL MÍNIMO NO PUEDE SER MAYOR QUE EL MÁXIMO");
        using enum TCampoNumerico;
        QTest::newRow("a number") << &TCamposPreferencias::temperaturaMinima << " 10 " << -1 << QString();
        QTest::newRow("not a number")
                << &TCamposPreferencias::temperaturaMaxima << "veinte" << int(TemperaturaMaxima) << formato;
        QTest::newRow("empty") << &TCamposPreferencias::humedadMinima << "" << int(HumedadMinima) << formato;
        QTest::newRow("decimal offset")
                << &TCamposPreferencias::etiquetasDX << "1,5" << int(EtiquetasDX) << formato;
        QTest::newRow("temperature limits reversed")
                << &TCamposPreferencias::temperaturaMinima << "30" << int(TemperaturaMinima) << invertidos;
        QTest::newRow("humidity limits reversed")
                << &TCamposPreferencias::humedadMaxima << "35" << int(HumedadMinima) << invertidos;
        QTest::newRow("equal limits") << &TCamposPreferencias::humedadMaxima << "40" << -1 << QString();
        QTest::newRow("no reading: H is not read") << &TCamposPreferencias::humedad << "x" << -1 << QString();
    }
    void losCamposSeCompruebanEnSuOrden()
    {
        QFETCH(Texto, campo);
        QFETCH(QString, texto);
        QFETCH(int, error);
        QFETCH(QString, mensaje);
        TCamposPreferencias editados = campos();
        editados.*campo = texto;
        editados.etiquetasDY = QStringLiteral("y"); // a later field never hides an earlier one
        const TLecturaCampos lectura = LeerCampos(editados, {}, {});
        QVERIFY(lectura.error);
        QCOMPARE(int(lectura.error->campo), error < 0 ? int(TCampoNumerico::EtiquetasDY) : error);
        if (error >= 0)
            QCOMPARE(lectura.error->mensaje, mensaje);
        QCOMPARE(lectura.valores.lineas(), TPreferenciasValores {}.lineas()); // nothing taken
    }

    // "H" and "T" show the reading plus the correction; the correction is what is stored.
    void lasLecturasGuardanLaCorreccion_data()
    {
        QTest::addColumn<int>("lectura");
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<int>("correccion");
        QTest::newRow("lower") << 50 << "47" << -3;
        QTest::newRow("higher") << 50 << "52" << 2;
        QTest::newRow("unchanged") << 50 << "50" << 0;
    }
    void lasLecturasGuardanLaCorreccion()
    {
        QFETCH(int, lectura);
        QFETCH(QString, tecleado);
        QFETCH(int, correccion);
        const TLecturasMaquina lecturas {lectura, lectura - 30};
        TCamposPreferencias editados = CamposDe({}, {}, lecturas);
        editados.humedad = tecleado;
        const TLecturaCampos leidos = LeerCampos(editados, {}, lecturas);
        QVERIFY(!leidos.error);
        QCOMPARE(leidos.valores.Varihumedad, correccion);
        QCOMPARE(leidos.valores.Varitemperatura, 0);
        QCOMPARE(CamposDe(leidos.valores, {}, lecturas).humedad, tecleado); // the next visit
    }

    void loCambiado_data()
    {
        QTest::addColumn<Texto>("campo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("cambiado");
        QTest::newRow("as shown") << &TCamposPreferencias::ofNombre << "" << false;
        QTest::newRow("same number written otherwise") << &TCamposPreferencias::etiquetasDX << "+0" << false;
        QTest::newRow("a text") << &TCamposPreferencias::ofNombre << "FARMACIA" << true;
        QTest::newRow("a limit") << &TCamposPreferencias::temperaturaMaxima << "26" << true;
        QTest::newRow("an address line") << &TCamposPreferencias::ofDireccion << "C/ Mayor 1\n28001" << true;
        QTest::newRow("a malformed number is told, not dropped")
                << &TCamposPreferencias::etiquetasDX << "x" << true;
    }
    void loCambiado()
    {
        QFETCH(Texto, campo);
        QFETCH(QString, texto);
        QFETCH(bool, cambiado);
        TCamposPreferencias editados = campos();
        editados.*campo = texto;
        QCOMPARE(CamposCambiados(editados, {}, {}, {}), cambiado);
    }

    // Another workstation stores between this one's reading and saving: a second connection to
    // the same database file changes the row under the preferences.
    void otroPuestoGuardaEntreLecturaYGuardado_data()
    {
        QTest::addColumn<QString>("otroParam");
        QTest::addColumn<QString>("otrosMedicos");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("esperado");
        QTest::addColumn<QString>("medicosEsperados");
        QTest::newRow("another preference kept") << "HumedadMinima=40\r\nofNombre=OTRA"
                                                 << "DR. A"
                                                 << "ofNombre"
                                                 << "OTRA"
                                                 << "DR. C";
        QTest::newRow("this preference written") << "HumedadMinima=30"
                                                 << "DR. A"
                                                 << "HumedadMinima"
                                                 << "35"
                                                 << "DR. C";
        QTest::newRow("a doctor added elsewhere stays") << "HumedadMinima=40"
                                                        << "DR. A\r\nDR. B"
                                                        << "HumedadMinima"
                                                        << "35"
                                                        << "DR. B\r\nDR. C";
    }
    void otroPuestoGuardaEntreLecturaYGuardado()
    {
        QFETCH(QString, otroParam);
        QFETCH(QString, otrosMedicos);
        QFETCH(QString, clave);
        QFETCH(QString, esperado);
        QFETCH(QString, medicosEsperados);
        TestDatabase db(SqlEngine::SQLite);
        TDM dm(db.directory());
        dm.Anadir(QStringLiteral("CONF"),
                  {{QStringLiteral("Param"), QStringLiteral("HumedadMinima=40")},
                   {QStringLiteral("Medicos"), QStringLiteral("DR. A")}});
        TPreferences preferencias {IniFile(db.directory().iniFile())};
        {
            QSqlDatabase otro = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("otro"));
            otro.setDatabaseName(db.appDirectory().file(QStringLiteral("data.dat")));
            QVERIFY(otro.open());
            QSqlQuery escritura(otro);
            escritura.prepare(QStringLiteral("UPDATE CONF SET Param = ?, Medicos = ?"));
            escritura.addBindValue(otroParam);
            escritura.addBindValue(otrosMedicos);
            QVERIFY(escritura.exec());
            otro.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("otro"));
        TCamposPreferencias editados = CamposDe(preferencias, preferencias.Medicos, {});
        editados.humedadMinima = QStringLiteral("35");
        editados.medicos = {QStringLiteral("dr. c")};
        const TLecturaCampos lectura = LeerCampos(editados, preferencias, {});
        static_cast<TPreferenciasValores &>(preferencias) = lectura.valores;
        preferencias.Medicos = lectura.medicos;
        preferencias.Guardar();

        const QString param = dm.Valor(QStringLiteral("SELECT Param FROM CONF")).toString();
        QVERIFY2(param.contains(clave + QLatin1Char('=') + esperado + QStringLiteral("\r\n")),
                 qPrintable(param));
        QCOMPARE(dm.Valor(QStringLiteral("SELECT Medicos FROM CONF")).toString(), medicosEsperados);
    }
};

QTEST_GUILESS_MAIN(TestEdicionPreferencias)
#include "test_edicion_preferencias.moc"
