// The administration chart: five weekly loads per patient planned from the stored treatment
// lines, summed per medication and slot, without touching the active patient.
#include "../loading/CargaPrueba.h"
#include "core/patients/HojaAdministracion.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTest>

namespace {

const QDate kLunes(2026, 6, 1);
const QString kNoBlister = QStringLiteral("0-0-0-0:0");

struct Entorno
{
    TestDatabase db;
    TDM dm {db.directory()};

    qint64 Paciente(const QString &nombre, const QDate &ultimaCarga = {})
    {
        return dm.Anadir(QStringLiteral("Paciente"),
                         {{QStringLiteral("Nombre"), nombre},
                          {QStringLiteral("refPaciente"), QStringLiteral("REF-") + nombre.left(3)},
                          {QStringLiteral("MedicoNombre"), QStringLiteral("DRA. GIL")},
                          {QStringLiteral("IConInven"), 1},
                          {QStringLiteral("NumeroUltimaCargaRealizada"), 0},
                          {QStringLiteral("FechaUltimaCargaRealizada"), SqlFecha::valor(ultimaCarga)}});
    }

    // A line of medication 7 (a blister medication) from `inicio`; DosisS1 copies the dose
    // unless given.
    void Linea(qint64 paciente, const QString &dosis, const QDate &inicio = kLunes.addYears(-1),
               const QVariant &spdp = {}, const QString &dosisS1 = {})
    {
        if (dm.Valor(QStringLiteral("SELECT COUNT(*) FROM Medicamento")).toInt() == 0)
            CargaPrueba::medicamento(dm, 7, QStringLiteral("ENALAPRIL"));
        dm.Anadir(QStringLiteral("SPD"),
                  {{QStringLiteral("idPaciente"), paciente},
                   {QStringLiteral("idMedicamento"), 7},
                   {QStringLiteral("Cantidad"), 100},
                   {QStringLiteral("Dosis"), dosis},
                   {QStringLiteral("DosisS1"), dosisS1.isEmpty() ? dosis : dosisS1},
                   {QStringLiteral("Inicio"), SqlFecha::valor(inicio)},
                   {QStringLiteral("SPDP"), spdp}});
    }

    QList<TFilaHoja> Hoja(const QList<qint64> &pacientes, const std::optional<QDate> &inicio = kLunes,
                          const QDate &hoy = kLunes)
    {
        return HojaAdministracion(dm, pacientes, inicio, hoy);
    }
};

// The values of one day (its four slots) of one week.
QStringList Dia(const TFilaHoja &fila, int semana, int dia)
{
    return fila.DoW[semana].mid(dia * kTomasDia, kTomasDia);
}

const QStringList kSemanaVacia(kCeldasSemana, QString());

} // namespace

class TestHojaAdministracion : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }

    void lasSemanasEmpiezanTrasLaUltimaCargaONuncaAntesDeHoy_data()
    {
        QTest::addColumn<QDate>("ultimaCarga");
        QTest::addColumn<QDate>("hoy");
        QTest::addColumn<QDate>("dada"); // null: none given
        QTest::addColumn<QDate>("primera");
        QTest::newRow("last load on the 1st, charted on the 3rd")
                << QDate(2026, 6, 1) << QDate(2026, 6, 3) << QDate() << QDate(2026, 6, 8);
        QTest::newRow("charted on the 20th")
                << QDate(2026, 6, 1) << QDate(2026, 6, 20) << QDate() << QDate(2026, 6, 20);
        QTest::newRow("never loaded") << QDate() << QDate(2026, 6, 3) << QDate() << QDate(2026, 6, 3);
        QTest::newRow("a given date wins, even a past one")
                << QDate(2026, 6, 1) << QDate(2026, 6, 20) << QDate(2026, 6, 10) << QDate(2026, 6, 10);
    }
    void lasSemanasEmpiezanTrasLaUltimaCargaONuncaAntesDeHoy()
    {
        QFETCH(QDate, ultimaCarga);
        QFETCH(QDate, hoy);
        QFETCH(QDate, dada);
        QFETCH(QDate, primera);
        Entorno e;
        const qint64 paciente = e.Paciente(QStringLiteral("ANA"), ultimaCarga);
        e.Linea(paciente, QStringLiteral("1-0-0-0:D:D:1"));
        const QList<TFilaHoja> filas
                = e.Hoja({paciente}, dada.isValid() ? std::optional(dada) : std::nullopt, hoy);
        QCOMPARE(filas.size(), 1);
        for (int semana = 0; semana < kSemanasHoja; ++semana)
            QCOMPARE(filas[0].WD[semana], primera.addDays(7 * semana));
    }

    // A take on Mondays only: the week's cells start on the week's first day.
    void laSemanaEmpiezaEnSuPrimerDia_data()
    {
        QTest::addColumn<QDate>("inicio");
        QTest::addColumn<int>("diaDelLunes");
        QTest::newRow("Monday") << kLunes << 0;
        QTest::newRow("Wednesday") << kLunes.addDays(2) << 5;
        QTest::newRow("Sunday") << kLunes.addDays(6) << 1;
    }
    void laSemanaEmpiezaEnSuPrimerDia()
    {
        QFETCH(QDate, inicio);
        QFETCH(int, diaDelLunes);
        Entorno e;
        const qint64 paciente = e.Paciente(QStringLiteral("ANA"));
        e.Linea(paciente,
                QStringLiteral("1") + QStringLiteral("-0").repeated(kCeldasSemana - 1)
                        + QStringLiteral(":T"));
        const TFilaHoja fila = e.Hoja({paciente}, inicio).value(0);
        for (int semana = 0; semana < kSemanasHoja; ++semana) {
            for (int dia = 0; dia < 7; ++dia)
                QCOMPARE(Dia(fila, semana, dia),
                         (QStringList {dia == diaDelLunes ? "1" : "0", "0", "0", "0"}));
        }
    }

    // The portions of one medication add up in its row, counted in hundredths of a pill.
    void cadaTomaSumaSusPorcionesEnPastillas_data()
    {
        QTest::addColumn<QString>("dosis");
        QTest::addColumn<QStringList>("dia");
        QTest::newRow("1 at breakfast and a half at night")
                << "1-0-0-0,5:D:D:1" << QStringList {"1", "0", "0", "0,5"};
        QTest::newRow("two thirds") << "0,66-0-0-0:D:D:1" << QStringList {"0,66", "0", "0", "0"};
        QTest::newRow("one and a half, and one") << "1,5-0-1-0:D:D:1" << QStringList {"1,5", "0", "1", "0"};
        QTest::newRow("three quarters at lunch") << "0-0,75-0-0:D:D:1" << QStringList {"0", "0,75", "0", "0"};
    }
    void cadaTomaSumaSusPorcionesEnPastillas()
    {
        QFETCH(QString, dosis);
        QFETCH(QStringList, dia);
        Entorno e;
        const qint64 paciente = e.Paciente(QStringLiteral("ana perez"));
        e.Linea(paciente, dosis);
        const QList<TFilaHoja> filas = e.Hoja({paciente});
        QCOMPARE(filas.size(), 1);
        QCOMPARE(filas[0].medicamento, QStringLiteral("ENALAPRIL 10 MG")); // no "(1/2) "
        QCOMPARE(filas[0].Nombre, QStringLiteral("ANA PEREZ"));
        QCOMPARE(filas[0].Emblistable, kHojaEnBlister);
        for (int semana = 0; semana < kSemanasHoja; ++semana) {
            for (int d = 0; d < 7; ++d)
                QCOMPARE(Dia(filas[0], semana, d), dia);
        }
    }

    void unaMedicacionQueEmpiezaEnLaTerceraSemana()
    {
        Entorno e;
        const qint64 paciente = e.Paciente(QStringLiteral("ANA"));
        e.Linea(paciente, QStringLiteral("1-0-0-0:D:D:1"), kLunes.addDays(14));
        const TFilaHoja fila = e.Hoja({paciente}).value(0);
        QCOMPARE(fila.DoW[0], kSemanaVacia);
        QCOMPARE(fila.DoW[1], kSemanaVacia);
        for (int semana = 2; semana < kSemanasHoja; ++semana)
            QCOMPARE(Dia(fila, semana, 0), (QStringList {"1", "0", "0", "0"}));
        const QList<TFilaFranja> franjas = HojaAdministracionFranjas({fila});
        QCOMPARE(franjas.size(), 1);
        QCOMPARE(franjas[0].valores, QStringList(14, QString()) + QStringList(21, QStringLiteral("1")));
    }

    void soloLasFranjasConAlgoDebido_data()
    {
        QTest::addColumn<QString>("dosis");
        QTest::addColumn<QList<int>>("franjas");
        QTest::newRow("breakfast and night") << "1-0-0-0,5:D:D:1" << QList<int> {1, 4};
        QTest::newRow("lunch and dinner") << "0-1-1-0:D:D:1" << QList<int> {2, 3};
        QTest::newRow("night every other day") << "0-0-0-1:D:D:2" << QList<int> {4};
    }
    void soloLasFranjasConAlgoDebido()
    {
        QFETCH(QString, dosis);
        QFETCH(QList<int>, franjas);
        Entorno e;
        const qint64 paciente = e.Paciente(QStringLiteral("ANA"));
        e.Linea(paciente, dosis);
        QList<int> obtenidas;
        for (const TFilaFranja &franja : HojaAdministracionFranjas(e.Hoja({paciente}))) {
            obtenidas << franja.IDFranja;
            QCOMPARE(franja.valores.size(), kDiasHoja);
        }
        QCOMPARE(obtenidas, franjas);
    }

    // A medication given apart, or whose dose cannot be placed, never vanishes: it is listed once
    // with its dose text, under "Sin Especificar".
    void laMedicacionSinColocarSeListaUnaVezConSuDosis_data()
    {
        QTest::addColumn<QString>("dosis");
        QTest::addColumn<QVariant>("spdp");
        QTest::addColumn<QString>("dosisS1");
        QTest::newRow("given apart") << "1-0-0-0:D:D:1" << QVariant(0) << QString();
        QTest::newRow("given apart, free text") << "UNA AL LEVANTARSE" << QVariant(0) << kNoBlister;
        QTest::newRow("given apart, no value") << kNoBlister << QVariant(0) << kNoBlister;
        QTest::newRow("blister line of free text") << "SEGUN PAUTA" << QVariant() << QString();
        QTest::newRow("entered apart, now a blister medication")
                << "1-0-0-0:D:D:1" << QVariant() << kNoBlister;
    }
    void laMedicacionSinColocarSeListaUnaVezConSuDosis()
    {
        QFETCH(QString, dosis);
        QFETCH(QVariant, spdp);
        QFETCH(QString, dosisS1);
        Entorno e;
        const qint64 paciente = e.Paciente(QStringLiteral("ANA"));
        e.Linea(paciente, dosis, kLunes.addYears(-1), spdp, dosisS1);
        const QList<TFilaHoja> filas = e.Hoja({paciente});
        QCOMPARE(filas.size(), 1);
        QCOMPARE(filas[0].Emblistable, kHojaFueraBlister);
        QCOMPARE(filas[0].Dosis_text, dosis);
        for (const QStringList &semana : filas[0].DoW)
            QCOMPARE(semana, kSemanaVacia);
        const QList<TFilaFranja> franjas = HojaAdministracionFranjas(filas);
        QCOMPARE(franjas.size(), 1);
        QCOMPARE(franjas[0].IDFranja, kFranjaFueraBlister);
        QVERIFY(franjas[0].valores.isEmpty());
    }

    void losPacientesEnSuOrdenSinCambiarElActivo()
    {
        Entorno e;
        const qint64 activo = e.Paciente(QStringLiteral("ANA"));
        const qint64 primero = e.Paciente(QStringLiteral("ZOE"));
        const qint64 segundo = e.Paciente(QStringLiteral("LUIS"));
        for (const qint64 paciente : {activo, primero, segundo})
            e.Linea(paciente, QStringLiteral("1-0-0-0:D:D:1"));
        e.dm.idPacienteActivo = int(activo);
        e.dm.PacienteActivo = TPaciente {int(activo), QString::number(activo), QStringLiteral("ANA")};
        QList<qint64> pacientes;
        for (const TFilaHoja &fila : e.Hoja({primero, segundo}))
            pacientes << fila.IDPaciente;
        QCOMPARE(pacientes, (QList<qint64> {primero, segundo}));
        QCOMPARE(e.dm.idPacienteActivo, int(activo));
        QCOMPARE(e.dm.PacienteActivo->idPaciente, int(activo));
    }
};

PASTILLERO_DATA_TEST_MAIN(TestHojaAdministracion)
#include "test_hoja_administracion.moc"
