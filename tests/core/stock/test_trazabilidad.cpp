#include "../loading/CargaPrueba.h"
#include "core/stock/Trazabilidad.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QTest>

namespace {

constexpr qint64 kTrazado = 700001;
constexpr qint64 kOtro = 700002;
constexpr qint64 kSustituido = 700009; // prescribed, replaced by the traced product in the blister

// A stored load starting on `inicio`, delivered and returned when those moments are valid.
qint64 carga(TDM &dm, qint64 idPaciente, const QDate &inicio, const QDateTime &entrega,
             const QDateTime &retorno)
{
    return dm.Anadir(QStringLiteral("Recarga"),
                     {{QStringLiteral("refRecarga"), inicio.day()},
                      {QStringLiteral("idPaciente"), idPaciente},
                      {QStringLiteral("FechaRealizado"), SqlFecha::valor(inicio)},
                      {QStringLiteral("FechaInicio"), SqlFecha::valor(inicio)},
                      {QStringLiteral("FechaFin"), SqlFecha::valor(inicio.addDays(6))},
                      {QStringLiteral("FechaEntrega"), SqlFecha::valor(entrega)},
                      {QStringLiteral("FechaRetornado"), SqlFecha::valor(retorno)}});
}

void linea(TDM &dm, qint64 idRecarga, qint64 prescrito, qint64 cargado, double cantidad,
           const QString &lote = QStringLiteral("L1"))
{
    dm.Anadir(QStringLiteral("RecargaLinea"),
              {{QStringLiteral("idRecarga"), idRecarga},
               {QStringLiteral("idMedicamento"), prescrito},
               {QStringLiteral("idMedicamentoR"), cargado},
               {QStringLiteral("Cantidad"), cantidad},
               {QStringLiteral("Lote"), lote}});
}

// Ana: stock of three lots (one of them "L%"), a load waiting to be collected holding the product in two
// lines (one of them a substitute), a load delivered and returned, a later one returned without delivery.
// Luis: a delivered load, stock of the lots "L_1" and "LX1". Rows of another product are everywhere beside
// them.
void llenar(TDM &dm)
{
    const QDateTime entregada(QDate(2024, 5, 10), QTime(12, 0));
    const QDateTime devuelta(QDate(2024, 5, 30), QTime(18, 0));
    const int ana = CargaPrueba::paciente(dm, 1, QStringLiteral("ANA PEREZ"));
    const int luis = CargaPrueba::paciente(dm, 1, QStringLiteral("LUIS GIL"));
    CargaPrueba::stock(dm, ana, kTrazado, 10, QStringLiteral("L1"), QDate(2026, 1, 31), kTrazado);
    CargaPrueba::stock(dm, ana, kTrazado, 5, QStringLiteral("L2"), QDate(2026, 1, 31), kTrazado);
    CargaPrueba::stock(dm, ana, kTrazado, 50, QStringLiteral("L1"), QDate(2026, 1, 31), kOtro);
    CargaPrueba::stock(dm, ana, kTrazado, 1, QStringLiteral("L%"), QDate(2026, 1, 31), kTrazado);
    CargaPrueba::stock(dm, luis, kTrazado, 3, QStringLiteral("L_1"), QDate(2026, 1, 31), kTrazado);
    CargaPrueba::stock(dm, luis, kTrazado, 9, QStringLiteral("LX1"), QDate(2026, 1, 31), kTrazado);
    const qint64 devueltaEntregada = carga(dm, ana, QDate(2024, 5, 13), entregada, devuelta);
    linea(dm, devueltaEntregada, kTrazado, kTrazado, 2);
    const qint64 devueltaSinEntregar = carga(dm, ana, QDate(2024, 5, 20), {}, devuelta);
    linea(dm, devueltaSinEntregar, kTrazado, kTrazado, 4, QStringLiteral("L2"));
    const qint64 pendiente = carga(dm, ana, QDate(2024, 5, 27), {}, {});
    linea(dm, pendiente, kTrazado, kTrazado, 7);
    linea(dm, pendiente, kOtro, kOtro, 30);
    linea(dm, pendiente, kSustituido, kTrazado, 3);
    linea(dm, pendiente, kTrazado, kOtro, 40);
    const qint64 entregadaLuis = carga(dm, luis, QDate(2024, 5, 6), entregada, {});
    linea(dm, entregadaLuis, kTrazado, kTrazado, 6);
}

QStringList lineas(const QList<TLineaTraza> &lista)
{
    QStringList textos;
    for (const TLineaTraza &l : lista)
        textos << QStringLiteral("%1|%2|%3|%4|%5")
                          .arg(l.REFPaciente, l.DESORIG, l.ORIG, l.FechaInicio.toString(Qt::ISODate))
                          .arg(l.Cantidad);
    return textos;
}

} // namespace

// The traceability list of one product, on every engine.
class TestTrazabilidad : public QObject
{
    Q_OBJECT

private slots:
    void lineas_data()
    {
        QTest::addColumn<QString>("lote");
        QTest::addColumn<QStringList>("esperadas");
        QTest::newRow("every lot") << "" << QStringList {"REF-ANA|RETORNADO|CONSUMIDOS|2024-05-20|4",
                                                         "REF-ANA|RETORNADO|CONSUMIDOS|2024-05-13|2",
                                                         "REF-ANA|INVENTARIO|INVENTARIO||16",
                                                         "REF-ANA|PREPARADO|PDTE ENTREGA|2024-05-27|10",
                                                         "REF-LUI|ENTREGADO|ENTREGADOS|2024-05-06|6",
                                                         "REF-LUI|INVENTARIO|INVENTARIO||12"};
        QTest::newRow("one lot") << "L2"
                                 << QStringList {"REF-ANA|RETORNADO|CONSUMIDOS|2024-05-20|4",
                                                 "REF-ANA|INVENTARIO|INVENTARIO||5"};
        QTest::newRow("lot typed in lower case") << "l2"
                                                 << QStringList {"REF-ANA|RETORNADO|CONSUMIDOS|2024-05-20|4",
                                                                 "REF-ANA|INVENTARIO|INVENTARIO||5"};
        QTest::newRow("part of a lot") << "L" << QStringList {};
        QTest::newRow("lot holding %") << "l%" << QStringList {"REF-ANA|INVENTARIO|INVENTARIO||1"};
        QTest::newRow("lot holding _") << "L_1" << QStringList {"REF-LUI|INVENTARIO|INVENTARIO||3"};
        QTest::newRow("% alone") << "%" << QStringList {};
        QTest::newRow("lot with a quote") << "L1' OR '1' = '1" << QStringList {};
    }
    void lineas()
    {
        QFETCH(QString, lote);
        TestDatabase db;
        TDM dm(db.directory());
        llenar(dm);
        QTEST(::lineas(ConsultarTrazabilidad(dm, kTrazado, lote)), "esperadas");
    }

    // Pages of the list read one after the other give the whole list, in order, once.
    void paginas_data()
    {
        QTest::addColumn<int>("cuantas");
        QTest::newRow("one line a page") << 1;
        QTest::newRow("four lines a page") << 4;
        QTest::newRow("one page for all") << 6;
    }
    void paginas()
    {
        QFETCH(int, cuantas);
        TestDatabase db;
        TDM dm(db.directory());
        llenar(dm);
        QList<TLineaTraza> leidas;
        for (;;) {
            const QList<TLineaTraza> pagina
                    = ConsultarTrazabilidad(dm, kTrazado, {}, int(leidas.size()), cuantas);
            QVERIFY(pagina.size() <= cuantas);
            leidas << pagina;
            if (pagina.size() < cuantas)
                break;
        }
        QCOMPARE(::lineas(leidas), ::lineas(ConsultarTrazabilidad(dm, kTrazado)));
    }

    void codigo_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<qint64>("idMedicamento");
        QTest::addColumn<QString>("error");
        const QString noNumerico = QStringLiteral("Codigo ha de ser numerico");
        QTest::newRow("digits") << "700001" << qint64(700001) << "";
        QTest::newRow("scanned, with blanks") << " 700001\r\n" << qint64(700001) << "";
        QTest::newRow("empty") << "  " << qint64(0) << "NO SE HA ESPECIFICADO NUNGUN MEDICAMENTO";
        QTest::newRow("letters") << "70A001" << qint64(0) << noNumerico;
        QTest::newRow("signed") << "-700001" << qint64(0) << noNumerico;
        QTest::newRow("statement text") << "1 OR 1=1" << qint64(0) << noNumerico;
        QTest::newRow("too long for a number") << "99999999999999999999" << qint64(0) << noNumerico;
    }
    void codigo()
    {
        QFETCH(QString, texto);
        const TCodigoTrazabilidad codigo = LeerCodigoTrazabilidad(texto);
        QTEST(codigo.idMedicamento, "idMedicamento");
        QTEST(codigo.Error, "error");
    }
};

PASTILLERO_DATA_TEST_MAIN(TestTrazabilidad)
#include "test_trazabilidad.moc"
