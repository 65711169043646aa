#include "CargaPrueba.h"
#include "core/loading/ComprobacionesCarga.h"
#include "core/loading/FilasCarga.h"

#include <QTest>

using namespace ComprobacionesCarga;

namespace {

const QDate kLimite(2024, 3, 12); // a window ending the 11th

// A blister portion of `unidades` units with its state, stock and expiry.
std::unique_ptr<TDosis> Porcion(quint8 estado, double disponible = 10, const QString &caducidad = QString(),
                                double tamano = 1.0, int unidades = 7)
{
    auto porcion = CargaPrueba::porcion(1, 700001, tamano, unidades);
    porcion->Estado = estado;
    porcion->Disponible = disponible;
    porcion->Caducidad = caducidad;
    return porcion;
}

TRecarga Una(std::unique_ptr<TDosis> porcion)
{
    TRecarga carga;
    carga.Add(std::move(porcion));
    return carga;
}

} // namespace

// The checks before a load and the rows of the medication grids.
class TestComprobacionesCarga : public QObject
{
    Q_OBJECT

private slots:
    void fechas()
    {
        const QDate hoy(2024, 3, 5);
        QVERIFY(FechaValida(hoy) == std::nullopt);
        QCOMPARE(FechaValida(QDate())->clave, QString("ERR_FECHA_FORMATO"));
        QVERIFY(FechaNoPasada(hoy, hoy) == std::nullopt);
        QCOMPARE(FechaNoPasada(hoy.addDays(-1), hoy)->texto, QString("LA FECHA NO PUEDE SER MENOR QUE HOY"));
    }

    void semanaCompleta_data()
    {
        QTest::addColumn<bool>("conCategoria");
        QTest::addColumn<int>("dias");
        QTest::addColumn<bool>("rechazada");
        QTest::newRow("category, 5 days: refused") << true << 5 << true;
        QTest::newRow("category, 7 days") << true << 7 << false;
        QTest::newRow("no category, 5 days") << false << 5 << false;
        QTest::newRow("no category, 1 day") << false << 1 << false;
    }
    void semanaCompleta()
    {
        QFETCH(bool, conCategoria);
        QFETCH(int, dias);
        QFETCH(bool, rechazada);
        const QDate inicio(2024, 3, 5);
        const TComprobacion resultado = SemanaCompleta(conCategoria, inicio, inicio.addDays(dias - 1));
        QCOMPARE(resultado.has_value(), rechazada);
        if (rechazada)
            QVERIFY(resultado->texto.startsWith("CARGA IMPOSIBLE."));
    }

    // A portion with the state, stock, size and expiry of the row; what the checks and the grid
    // make of it with and without stock control.
    void porcion_data()
    {
        QTest::addColumn<int>("estado");
        QTest::addColumn<double>("disponible");
        QTest::addColumn<double>("tamano");
        QTest::addColumn<QString>("caducidad");
        QTest::addColumn<bool>("conInventario");
        QTest::addColumn<bool>("insuficiente");
        QTest::addColumn<bool>("caducada");
        QTest::addColumn<bool>("roja");
        QTest::addColumn<QString>("textoEstado");

        QTest::newRow("pending, stock enough")
                << 1 << 7.0 << 1.0 << "" << true << false << false << false << "Pendiente";
        QTest::newRow("insufficient with stock control")
                << 5 << 3.0 << 1.0 << "" << true << true << false << true << "Insuficiente";
        QTest::newRow("insufficient without stock control")
                << 5 << 3.0 << 1.0 << "" << false << false << false << false << "Pendiente";
        QTest::newRow("completed needing more than available")
                << 3 << 6.99 << 1.0 << "" << true << true << false << false << "Completado";
        QTest::newRow("seven thirds need 2.31 pills exactly")
                << 3 << 2.31 << 0.33 << "" << true << false << false << false << "Completado";
        QTest::newRow("expiring the day before the limit")
                << 1 << 7.0 << 1.0 << "11/03/2024" << true << false << true << true << "Caducado";
        QTest::newRow("expiring on the limit")
                << 1 << 7.0 << 1.0 << "12/03/2024" << true << false << false << false << "Pendiente";
        QTest::newRow("expired without stock control")
                << 1 << 7.0 << 1.0 << "01/01/2020" << false << false << false << false << "Caducado";
        QTest::newRow("dose not defined for the blister")
                << 8 << 7.0 << 1.0 << "" << false << false << false << true << "SPD mal";
        QTest::newRow("being placed")
                << 2 << 7.0 << 1.0 << "" << true << false << false << false << "Cargando";
        QTest::newRow("restarted") << 4 << 7.0 << 1.0 << "" << true << false << false << false << "Pendiente";
        QTest::newRow("machine code 9") << 9 << 7.0 << 1.0 << "" << true << false << false << false << "none";
    }
    void porcion()
    {
        QFETCH(int, estado);
        QFETCH(double, disponible);
        QFETCH(double, tamano);
        QFETCH(QString, caducidad);
        QFETCH(bool, conInventario);
        QFETCH(bool, insuficiente);
        QFETCH(bool, caducada);
        QFETCH(bool, roja);
        QFETCH(QString, textoEstado);
        const TRecarga carga = Una(Porcion(quint8(estado), disponible, caducidad, tamano));
        QCOMPARE(AvisoStockInsuficiente(carga, conInventario).has_value(), insuficiente);
        QCOMPARE(AvisoCaducados(carga, conInventario, kLimite).has_value(), caducada);
        QCOMPARE(AvisoMalDefinido(carga).has_value(), estado == 8);
        const QList<TFilaMedicamento> filas = FilasMedicamentos(carga, conInventario, kLimite);
        QCOMPARE(filas.size(), 1);
        QCOMPARE(filas.first().icorrect, !roja);
        QCOMPARE(filas.first().Estado, textoEstado);
    }

    void lineasSinDosisSeNombranEnElAvisoDeMalDefinido()
    {
        TRecarga carga;
        carga.SinDosis = {QStringLiteral("MED1 1G"), QStringLiteral("MED2 5MG")};
        const TComprobacion aviso = AvisoMalDefinido(carga);
        QVERIFY(aviso);
        QCOMPARE(aviso->texto,
                 QStringLiteral("TRATAMIENTO DE MEDICAMENTO MAL DEFINIDO\r\nMED1 1G\r\nMED2 5MG"));
    }

    void caducadosSeNombranUnoPorLinea()
    {
        TRecarga carga;
        auto primera = Porcion(1, 7, "01/03/2024");
        primera->Nombre = "ENALAPRIL 10 MG";
        auto segunda = Porcion(1, 7, "01/05/2024");
        auto tercera = Porcion(1, 7, "10/03/2024");
        tercera->Nombre = "(1/2) SINTROM 4 MG";
        carga.Add(std::move(primera));
        carga.Add(std::move(segunda));
        carga.Add(std::move(tercera));
        QCOMPARE(AvisoCaducados(carga, true, kLimite)->texto,
                 QString("LOS SIGUIENTES MEDICAMENTOS ESTAN CADUCADOS: \r\nENALAPRIL 10 MG\r\n(1/2) SINTROM "
                         "4 MG"));
    }

    void soloLoQueVaAlBlisterCuentaComoCarga()
    {
        TRecarga carga;
        QCOMPARE(CargaVacia(carga)->clave, QString("ERR_TRATAMIENTO_INDEFINID0"));
        carga.Add(CargaPrueba::porcion(2, 700002, 1.0, 0, false, "PARCHE"));
        QVERIFY(CargaVacia(carga).has_value());
        carga.Add(Porcion(1));
        QVERIFY(!CargaVacia(carga).has_value());
    }

    void filasDeAmbasRejillas()
    {
        TRecarga carga;
        auto enBlister = Porcion(2, 7, QString(), 0.5);
        enBlister->Nombre = "(1/2) ENALAPRIL 10 MG";
        enBlister->Aspecto = "COMPRIMIDO REDONDO BLANCO";
        // Monday and Tuesday placed.
        enBlister->VaciarActual();
        enBlister->AsignarArray({1, 0, 0, 0, 1});
        enBlister->Cargadas = 2;
        auto fuera = CargaPrueba::porcion(2, 700002, 1.0, 0, false, "PARCHE 5 MG");
        fuera->Dosis = "1-0-0-0:S:L";
        carga.Add(std::move(enBlister));
        carga.Add(std::move(fuera));

        const QList<TFilaMedicamento> filas = FilasMedicamentos(carga, true, kLimite);
        QCOMPARE(filas.size(), 1);
        QCOMPARE(filas.first().SPD, QString("SI"));
        QCOMPARE(filas.first().Medicamento, QString("700001 (1/2) ENALAPRIL 10 MG"));
        QCOMPARE(filas.first().Carga, 7);
        QCOMPARE(filas.first().Falta, 5);
        QCOMPARE(filas.first().Descripcion, QString("COMPRIMIDO REDONDO BLANCO"));
        QCOMPARE(filas.first().Porcion, 0.5);
        QVERIFY(filas.first().Dosis.startsWith("0;0;0;0;0;0;0;0;1;"));

        const QList<TFilaOtroMedicamento> otros = FilasOtrosMedicamentos(carga);
        QCOMPARE(otros.size(), 1);
        QCOMPARE(otros.first().SPD, QString("NO"));
        QCOMPARE(otros.first().Medicamento, QString("700002 PARCHE 5 MG"));
        QCOMPARE(otros.first().Posologia, QString("1-0-0-0:S:L"));
    }

    void maquina()
    {
        QVERIFY(!MaquinaConectada(true));
        QCOMPARE(MaquinaConectada(false)->clave, QString("ERR_MAQUINA_DESCONECTADA"));
        QVERIFY(!MaquinaEnEspera(0));
        QCOMPARE(MaquinaEnEspera(1)->texto,
                 QString("NO SE PUEDE CARGAR PORQUE LA MAQUINA NO ESTA EN ESPERA"));
    }
};

QTEST_GUILESS_MAIN(TestComprobacionesCarga)
#include "test_comprobaciones_carga.moc"
