#include "core/common/Clock.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/patients/HistoricoUso.h"
#include "core/patients/VersionesTratamiento.h"
#include "support/TestDatabase.h"

#include <QTest>

// The usage periods of a patient's medications and the versions the history view reads, on every
// engine of the test run.
class TestHistoricoUso : public QObject
{
    Q_OBJECT

    static constexpr qint64 kPaciente = 7;

    static QDate Dia(const QString &texto) { return QDate::fromString(texto, Qt::ISODate); }

    // "version made start end" per change, "-" for no date; the medication is the first field.
    static QList<TCambioTratamiento> Cambios(const QStringList &filas)
    {
        QList<TCambioTratamiento> cambios;
        for (const QString &fila : filas) {
            const QStringList campos = fila.split(QLatin1Char(' '));
            TCambioTratamiento cambio;
            cambio.idmedicamento = campos.at(0).toLongLong();
            cambio.IdVersion = campos.at(1).toInt();
            cambio.Fecha = Dia(campos.at(2));
            cambio.Inicio = Dia(campos.at(3));
            cambio.Fin = Dia(campos.at(4));
            cambio.Dosis = QStringLiteral("1-0-0-0:D:D:1");
            cambio.Desccambio = campos.value(5, QStringLiteral("NUEVO"));
            cambios << cambio;
        }
        return cambios;
    }
    // "medication version start end" per period, "-" for no date.
    static QStringList Periodos(const QList<TUsoMedicamento> &usos)
    {
        QStringList filas;
        for (const TUsoMedicamento &uso : usos)
            filas << QStringLiteral("%1 %2 %3 %4")
                             .arg(uso.Idmedicamento)
                             .arg(uso.IdVersion)
                             .arg(uso.Inicio.isValid() ? uso.Inicio.toString(Qt::ISODate)
                                                       : QStringLiteral("-"),
                                  uso.Fin.isValid() ? uso.Fin.toString(Qt::ISODate) : QStringLiteral("-"));
        return filas;
    }

    static void Version(TDM &dm, int version, qint64 medicamento, const QString &dosis, int iucarga)
    {
        dm.Anadir(QStringLiteral("SPDHIST"),
                  {{QStringLiteral("IdVersion"), version},
                   {QStringLiteral("ID"), medicamento},
                   {QStringLiteral("FechaActualizacion"), SqlFecha::valor(QDate(2026, 3, version))},
                   {QStringLiteral("IDPaciente"), kPaciente},
                   {QStringLiteral("IDMedicamento"), medicamento},
                   {QStringLiteral("Inicio"), SqlFecha::valor(QDate(2026, 3, 1))},
                   {QStringLiteral("Dosis"), dosis},
                   {QStringLiteral("username"), QStringLiteral("ana")},
                   {QStringLiteral("IuCarga"), iucarga}});
    }
    static QString Huella(TDM &dm)
    {
        return dm.Valor(QStringLiteral("SELECT COUNT(*) || '/' || SUM(IuCarga) FROM SPDHIST")).toString();
    }

private slots:
    void periodos_data()
    {
        QTest::addColumn<QStringList>("cambios");
        QTest::addColumn<QStringList>("periodos");
        QTest::newRow("open line over three versions")
                << QStringList {"100 1 2026-03-01 2026-03-01 -", "100 3 2026-03-10 2026-03-01 -",
                                "100 5 2026-03-20 2026-03-01 -"}
                << QStringList {"100 5 2026-03-20 -", "100 3 2026-03-10 2026-03-19",
                                "100 1 2026-03-01 2026-03-09"};
        QTest::newRow("own end date kept")
                << QStringList {"100 1 2026-03-01 2026-03-01 2026-03-31", "100 2 2026-03-10 2026-03-01 -"}
                << QStringList {"100 2 2026-03-10 -", "100 1 2026-03-01 2026-03-31"};
        QTest::newRow("two versions on one day")
                << QStringList {"100 1 2026-03-01 2026-03-01 -", "100 2 2026-03-10 2026-03-01 -",
                                "100 3 2026-03-10 2026-03-01 -"}
                << QStringList {"100 3 2026-03-10 -", "100 2 2026-03-10 2026-03-10",
                                "100 1 2026-03-01 2026-03-09"};
        QTest::newRow("line starting after its version")
                << QStringList {"100 1 2026-03-01 2026-03-01 -", "100 2 2026-03-05 2026-03-15 -"}
                << QStringList {"100 2 2026-03-15 -", "100 1 2026-03-01 2026-03-14"};
        QTest::newRow("removed and added again")
                << QStringList {"100 1 2026-03-01 2026-03-01 -", "100 4 2026-03-12 2026-03-01 - BORRADO",
                                "100 6 2026-03-20 2026-03-20 -"}
                << QStringList {"100 6 2026-03-20 -", "100 4 2026-03-12 2026-03-12",
                                "100 1 2026-03-01 2026-03-11"};
        QTest::newRow("one version only")
                << QStringList {"100 1 2026-03-04 2026-03-01 -"} << QStringList {"100 1 2026-03-01 -"};
        QTest::newRow("medications in order of first occurrence")
                << QStringList {"200 1 2026-03-01 2026-03-01 -", "100 2 2026-03-10 2026-03-10 -",
                                "200 2 2026-03-10 2026-03-01 -"}
                << QStringList {"200 2 2026-03-10 -", "200 1 2026-03-01 2026-03-09", "100 2 2026-03-10 -"};
    }
    void periodos()
    {
        QFETCH(QStringList, cambios);
        QFETCH(QStringList, periodos);
        QCOMPARE(Periodos(PeriodosUso(Cambios(cambios))), periodos);
    }

    void tomas_data()
    {
        QTest::addColumn<QString>("dosis");
        QTest::addColumn<bool>("spd");
        QTest::addColumn<QStringList>("tomas");
        const QStringList ninguna;
        QTest::newRow("every n days") << "1-0-0-0,5:D:D:2" << true << QStringList {"1", "0", "0", "0,5"};
        QTest::newRow("days on and off") << "0-1-0-1:D:R:5:2" << true << QStringList {"0", "1", "0", "1"};
        QTest::newRow("day of the month") << "2-0-0-0:M:D:15:1" << true << QStringList {"2", "0", "0", "0"};
        QTest::newRow("numbered rule") << "1-1-1-1:3" << true << QStringList {"1", "1", "1", "1"};
        QTest::newRow("numbered rule out of range") << "1-1-1-1:8" << true << ninguna;
        QTest::newRow("week days") << "1-0-0-0:S:1:1010100" << true << ninguna;
        QTest::newRow("month position") << "1-0-0-0:M:P:1:1:1" << true << ninguna;
        QTest::newRow("weekly table") << "1-0-0-0-0-0-0-0:T" << true << ninguna;
        QTest::newRow("free text") << "UNA CADA 8 HORAS" << true << ninguna;
        QTest::newRow("not in the blister") << "1-0-0-0:D:D:1" << false << ninguna;
    }
    void tomas()
    {
        QFETCH(QString, dosis);
        QFETCH(bool, spd);
        QFETCH(QStringList, tomas);
        TCambioTratamiento cambio;
        cambio.idmedicamento = 1;
        cambio.Dosis = dosis;
        cambio.SPD = spd;
        QCOMPARE(PeriodosUso({cambio}).value(0).Tomas, tomas);
    }

    // The usage report asks for loaded versions plus the newest; reading them changes no mark.
    void soloCargadasSinEscribir_data()
    {
        QTest::addColumn<bool>("soloCargadas");
        QTest::addColumn<QList<int>>("versiones");
        QTest::newRow("every version") << false << QList<int> {3, 2, 1};
        QTest::newRow("loaded only") << true << QList<int> {2};
    }
    void soloCargadasSinEscribir()
    {
        QFETCH(bool, soloCargadas);
        QFETCH(QList<int>, versiones);
        TestDatabase db;
        TDM dm(db.directory());
        Version(dm, 1, 100, QStringLiteral("1-0-0-0:D:D:1"), 0);
        Version(dm, 2, 100, QStringLiteral("2-0-0-0:D:D:1"), 1);
        Version(dm, 3, 100, QStringLiteral("3-0-0-0:D:D:1"), 0);
        const QString antes = Huella(dm);
        QList<int> leidas;
        for (const TVersionTratamiento &version : VersionesTratamiento(dm, kPaciente, soloCargadas))
            leidas << version.Version;
        QCOMPARE(leidas, versiones);
        const QList<TUsoMedicamento> usos
                = PeriodosUso(THistorialTratamiento(dm).HistorialCambios(kPaciente, true, true));
        QCOMPARE(usos.size(), 2); // the loaded version 2 and the newest, 3
        QCOMPARE(usos.first().IdVersion, 3);
        QCOMPARE(Huella(dm), antes);
    }

    void lineaDeMedicamentoBorrado()
    {
        TestDatabase db;
        TDM dm(db.directory());
        dm.Anadir(QStringLiteral("Medicamento"),
                  {{QStringLiteral("idMedicamento"), 100},
                   {QStringLiteral("Medicamento"), QStringLiteral("ASPIRINA")},
                   {QStringLiteral("Descripcion"), QStringLiteral("500")},
                   {QStringLiteral("SPD"), 1}});
        Version(dm, 1, 100, QStringLiteral("1-0-0-0:D:D:1"), 0);
        Version(dm, 1, 999, QStringLiteral("1-0-0-0:D:D:1"), 0);
        const QList<TFilaTratamiento> lineas = LineasDeVersion(dm, kPaciente, 1);
        QCOMPARE(lineas.size(), 2);
        QCOMPARE(lineas.at(0).Medicamento, QStringLiteral("ASPIRINA 500"));
        QVERIFY(lineas.at(0).Kelvo);
        QVERIFY(lineas.at(1).Medicamento.contains(QStringLiteral("999")));
        QVERIFY(!lineas.at(1).Kelvo);
        QCOMPARE(lineas.at(1).DosisVer, QStringLiteral("1-0-0-0:D:D:1"));
    }
};

PASTILLERO_DATA_TEST_MAIN(TestHistoricoUso)
#include "test_historico_uso.moc"
