#include "CargaPrueba.h"
#include "core/loading/EtiquetasCarga.h"
#include "core/loading/GuardarCarga.h"
#include "core/settings/uPreferencias.h"
#include "core/shell/IniFile.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QTest>

using namespace CargaPrueba;

namespace {

constexpr qint64 kEnalapril = 700001;
constexpr qint64 kSintrom = 700002;
constexpr qint64 kCrema = 700003;
const QDate kLunes(2024, 5, 6);

// A patient with two lots of enalapril (4 and 3 pills), halves of sintrom without stock, and a
// cream outside the blister; the stored load's identifier.
qint64 cargaDeEjemplo(TDM &dm, int &idPaciente)
{
    idPaciente = paciente(dm);
    dm.Ejecutar(QStringLiteral("UPDATE Paciente SET MedicoNombre = 'DRA. RUIZ', MedicoTelefono = '600100200' "
                               "WHERE idPaciente = ?"),
                {idPaciente});
    medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
    medicamento(dm, kSintrom, QStringLiteral("SINTROM"), QStringLiteral("4 MG"));
    medicamento(dm, kCrema, QStringLiteral("CREMA"), QStringLiteral("TUBO"), 1);
    const int enalapril = tratamiento(dm, idPaciente, kEnalapril, 20);
    const int sintrom = tratamiento(dm, idPaciente, kSintrom, 20, QStringLiteral("0-0-0,5-0:D:D:1"));
    const int crema = tratamiento(dm, idPaciente, kCrema, 1, QStringLiteral("0-0-0-0:0"));
    stock(dm, idPaciente, kEnalapril, 4, QStringLiteral("A1"), QDate(2026, 6, 30));
    stock(dm, idPaciente, kEnalapril, 3, QStringLiteral("B2"), QDate(2027, 1, 31));
    TRecarga carga;
    carga.Add(porcion(enalapril, kEnalapril, 1.0, 7, true, QStringLiteral("ENALAPRIL 10 MG")));
    auto medios = porcion(sintrom, kSintrom, 0.5, 7, true, QStringLiteral("(1/2) SINTROM 4 MG"));
    medios->DosisEtiqueta = QStringLiteral("0-0-0,5-0");
    carga.Add(std::move(medios));
    carga.Add(porcion(crema, kCrema, 1.0, 0, false, QStringLiteral("CREMA TUBO")));
    carga.Add(porcion(crema, kCrema, 1.0, 0, false, QStringLiteral("CREMA TUBO")));
    return GuardarCarga(carga, kLunes, kLunes.addDays(6));
}

} // namespace

class TestDatosEtiquetas : public QObject
{
    Q_OBJECT

private slots:
    void theListsOfAStoredLoad()
    {
        TestDatabase db;
        TDM dm(db.directory());
        int idPaciente = 0;
        const qint64 id = cargaDeEjemplo(dm, idPaciente);
        const TDatosEtiquetas datos = DatosEtiquetas(id);
        QVERIFY(datos.existe);
        QCOMPARE(datos.idPaciente, idPaciente);

        QCOMPARE(datos.ListaBlister.size(), 3);
        QCOMPARE(datos.ListaBlister.at(0).medicamento, QStringLiteral("700001 ENALAPRIL 10 MG"));
        QCOMPARE(datos.ListaBlister.at(0).SPD, QStringLiteral("SI"));
        QCOMPARE(datos.ListaBlister.at(0).lote, QStringLiteral("A1"));
        QCOMPARE(datos.ListaBlister.at(0).caducidad, QStringLiteral("06/2026"));
        QCOMPARE(datos.ListaBlister.at(0).Cantidad, 4.0);
        QCOMPARE(datos.ListaBlister.at(1).lote, QStringLiteral("B2"));
        QCOMPARE(datos.ListaBlister.at(2).medicamento, QStringLiteral("700002 SINTROM 4 MG"));
        QCOMPARE(datos.ListaBlister.at(2).posologia, QStringLiteral("0-0-0,5-0"));
        QCOMPARE(datos.ListaBlister.at(2).caducidad, QStringLiteral("12/2500"));

        QCOMPARE(datos.ListaOtros.size(), 1); // the cream once, with no number: it is a manual one
        QCOMPARE(datos.ListaOtros.at(0).medicamento, QStringLiteral("CREMA TUBO"));
        QCOMPARE(datos.ListaOtros.at(0).SPD, QStringLiteral("NO"));
        QCOMPARE(datos.ListaOtros.at(0).descripcion, QString());

        QCOMPARE(datos.Leyenda.size(), 3);
        QCOMPARE(datos.Leyenda.at(0).Numref, 1);
        QCOMPARE(datos.Leyenda.at(0).lote, QStringLiteral("A1"));
        QCOMPARE(datos.Leyenda.at(1).Numref, 2);
        QCOMPARE(datos.Leyenda.at(1).lote, QStringLiteral("B2"));
        QCOMPARE(datos.Leyenda.at(2).caducidad, QStringLiteral("*******"));
        QCOMPARE(datos.Leyenda.at(2).medicamento, QStringLiteral("700002 SINTROM 4 MG"));
    }

    void theLotsFillTheCells()
    {
        TestDatabase db;
        TDM dm(db.directory());
        int idPaciente = 0;
        const qint64 id = cargaDeEjemplo(dm, idPaciente);
        const TDatosEtiquetas datos = DatosEtiquetas(id);
        const TCeldas celdas = RepartoCeldas(id, datos);
        for (int dia = 0; dia < 7; ++dia) {
            const QList<TFilaCelda> &desayuno = celdas[size_t(dia * kTomasDia)];
            QCOMPARE(desayuno.size(), 2); // enalapril and the halves of sintrom
            QCOMPARE(desayuno.at(0).Idmedicamento, kEnalapril);
            QCOMPARE(desayuno.at(0).Lote, dia < 4 ? QStringLiteral("A1") : QStringLiteral("B2"));
            QCOMPARE(desayuno.at(0).Numref, dia < 4 ? 1 : 2);
            QCOMPARE(desayuno.at(0).Medicamento, QStringLiteral("ENALAPRIL 10 MG"));
        }
        // The line of no lot shows the asterisks.
        int medios = 0;
        for (const QList<TFilaCelda> &celda : celdas) {
            for (const TFilaCelda &fila : celda) {
                if (fila.Idmedicamento != kSintrom)
                    continue;
                ++medios;
                QCOMPARE(fila.Cantidad, 0.5);
                QCOMPARE(fila.Caducidad, QStringLiteral("*******"));
                QCOMPARE(fila.Numref, 3);
            }
        }
        QCOMPARE(medios, 7);
    }

    void theHeaderOfTheSheet()
    {
        TestDatabase db;
        TDM dm(db.directory());
        TPreferences preferencias(IniFile(db.directory().iniFile()));
        preferencias.ofNombre = QStringLiteral("FARMACIA CENTRAL");
        preferencias.ofTelefono = QStringLiteral("910000000");
        preferencias.Logo = QByteArray("logo");
        int idPaciente = 0;
        const qint64 id = cargaDeEjemplo(dm, idPaciente);
        TCabeceraEtiqueta cabecera = CabeceraEtiqueta(id);
        QCOMPARE(cabecera.idPaciente, idPaciente);
        QCOMPARE(cabecera.refRecarga, 1);
        QCOMPARE(cabecera.FechaInicio, kLunes);
        QCOMPARE(cabecera.medico, QStringLiteral("DRA. RUIZ"));
        QCOMPARE(cabecera.farmacia, QStringLiteral("FARMACIA CENTRAL"));
        QCOMPARE(cabecera.codigo,
                 QStringLiteral("%1").arg(idPaciente, 4, 10, QLatin1Char('0')) + QStringLiteral("0010"));
        QVERIFY(!cabecera.esFoto); // the photo flag is not set: the logo
        QCOMPARE(cabecera.imagen, QByteArray("logo"));

        dm.Ejecutar(QStringLiteral("UPDATE Paciente SET IFotoBlis = 1 WHERE idPaciente = ?"), {idPaciente});
        cabecera = CabeceraEtiqueta(id);
        QVERIFY(!cabecera.esFoto); // no photo file: still the logo
        db.appDirectory().write(QStringLiteral("files/%1/FOTOPaciente.jpg").arg(idPaciente), "jpeg");
        cabecera = CabeceraEtiqueta(id);
        QVERIFY(cabecera.esFoto);
        QCOMPARE(cabecera.imagen, QByteArray("jpeg"));
    }

    void theLotListNeedsThePreferenceAndStockControl_data()
    {
        QTest::addColumn<int>("idatMedOB");
        QTest::addColumn<QVariant>("conInventario");
        QTest::addColumn<int>("lineas");
        QTest::newRow("on, stock kept") << 1 << QVariant(1) << 3;
        QTest::newRow("on, flag Null") << 1 << QVariant() << 3;
        QTest::newRow("on, no stock control") << 1 << QVariant(0) << 0;
        QTest::newRow("off") << 0 << QVariant(1) << 0;
    }
    void theLotListNeedsThePreferenceAndStockControl()
    {
        QFETCH(int, idatMedOB);
        QFETCH(QVariant, conInventario);
        QFETCH(int, lineas);
        TestDatabase db;
        TDM dm(db.directory());
        TPreferences preferencias(IniFile(db.directory().iniFile()));
        preferencias.IdatMedOB = idatMedOB;
        int idPaciente = 0;
        const qint64 id = cargaDeEjemplo(dm, idPaciente);
        dm.Ejecutar(QStringLiteral("UPDATE Paciente SET IConInven = ? WHERE idPaciente = ?"),
                    {conInventario, idPaciente});
        const TEtiquetaCarga etiqueta = LeerEtiquetaCarga(id);
        const QStringList lotes = PiezasEtiqueta::LineasLotes(etiqueta, OpcionesEtiqueta(etiqueta), true);
        QCOMPARE(lotes.size(), lineas);
        if (lineas > 0)
            QVERIFY(lotes.at(0).startsWith(QStringLiteral("(1) 700001 ENALAPRIL 10 MG")));
    }

    void anUnknownLoadHasNoLists()
    {
        TestDatabase db;
        TDM dm(db.directory());
        TPreferences preferencias(IniFile(db.directory().iniFile()));
        const TEtiquetaCarga etiqueta = LeerEtiquetaCarga(4711);
        QVERIFY(!etiqueta.existe());
        QVERIFY(etiqueta.datos.ListaBlister.isEmpty());
    }
};

PASTILLERO_DATA_TEST_MAIN(TestDatosEtiquetas)
#include "test_datos_etiquetas.moc"
