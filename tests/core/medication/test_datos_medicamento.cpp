#include "core/medication/TDatosMedicamento.h"

#include <QTest>

Q_DECLARE_METATYPE(TDatosMedicamento)

namespace {

TDatosMedicamento Completo()
{
    TDatosMedicamento datos;
    datos.Codigo = QStringLiteral("999999");
    datos.PVP = QStringLiteral("3,50");
    datos.Medicamento = QStringLiteral("PROPIO");
    datos.Descripcion = QStringLiteral("10MG");
    datos.SPD = true;
    datos.Forma = QStringLiteral("REDONDA");
    datos.Color = QStringLiteral("BLANCA");
    datos.Unidades = QStringLiteral("30");
    return datos;
}

template<typename F> TDatosMedicamento Con(F cambio)
{
    TDatosMedicamento datos = Completo();
    cambio(datos);
    return datos;
}

} // namespace

// The checks of the medication editor's acceptance.
class TestDatosMedicamento : public QObject
{
    Q_OBJECT

private slots:
    void newEntry_data()
    {
        QTest::addColumn<TDatosMedicamento>("datos");
        QTest::addColumn<bool>("existe");
        QTest::addColumn<QString>("error");
        QTest::newRow("complete") << Completo() << false << QString();
        QTest::newRow("code taken") << Completo() << true << "CODIGO MEDICAMENTO YA EXISTENTE";
        QTest::newRow("code 1000000") << Con([](auto &d) { d.Codigo = "1000000"; }) << false
                                      << "CODIGO MEDICAMENTO INCORRECTO. HA DE SER MENOR O IGUAL QUE 999999";
        QTest::newRow("code with letters") << Con([](auto &d) { d.Codigo = "12AB"; }) << false
                                           << "EL DATO A INTRODUCIR DEBE SER NUMERICO MAYOR QUE CERO";
        QTest::newRow("no code") << Con([](auto &d) { d.Codigo.clear(); }) << false
                                 << "INTRODUCIR CODIGO MEDICAMENTO";
        QTest::newRow("negative price") << Con([](auto &d) { d.PVP = "-1"; }) << false
                                        << "EL DATO A INTRODUCIR DEBE SER NUMERICO MAYOR QUE CERO";
        QTest::newRow("no price is fine") << Con([](auto &d) { d.PVP.clear(); }) << false << QString();
        QTest::newRow("no name") << Con([](auto &d) { d.Medicamento = " "; }) << false
                                 << "INTRODUCIR NOMBRE MEDICAMENTO";
        QTest::newRow("no description") << Con([](auto &d) { d.Descripcion.clear(); }) << false
                                        << "INTRODUCIR DESCRIPCION MEDICAMENTO";
        QTest::newRow("separator in name") << Con([](auto &d) { d.Medicamento = "A;B"; }) << false
                                           << "NO SE PERMITEN LOS CARACTERES PUNTO Y COMA NI BARRA VERTICAL";
        QTest::newRow("separator in colour")
                << Con([](auto &d) { d.Color = "AZUL|ROJA"; }) << false
                << "NO SE PERMITEN LOS CARACTERES PUNTO Y COMA NI BARRA VERTICAL";
        QTest::newRow("blister not chosen")
                << Con([](auto &d) { d.SPD.reset(); }) << false << "INDICAR SI EL MEDICAMENTO ES EMBLISTABLE";
        QTest::newRow("no units") << Con([](auto &d) { d.Unidades = "0"; }) << false
                                  << "EL DATO A INTRODUCIR DEBE SER NUMERICO MAYOR QUE CERO";
        QTest::newRow("units of an ingredient are free") << Con([](auto &d) {
            d.Unidades.clear();
            d.PrincipioActivo = true;
        }) << false << QString();
        QTest::newRow("units outside the blister are free") << Con([](auto &d) {
            d.Unidades.clear();
            d.SPD = false;
        }) << false << QString();
    }
    void newEntry()
    {
        QFETCH(TDatosMedicamento, datos);
        QFETCH(bool, existe);
        QFETCH(QString, error);
        QCOMPARE(ErrorMedicamento(datos, true, true, existe, true), error);
    }

    void catalogueEntryChecksOnlyWhatCanChange()
    {
        TDatosMedicamento datos = Completo();
        datos.Codigo = QStringLiteral("8470001234568");
        datos.Descripcion.clear();
        QCOMPARE(ErrorMedicamento(datos, false, false, true, true), QString());
        datos.DescUsuario = QStringLiteral("MI;NOMBRE");
        QVERIFY(!ErrorMedicamento(datos, false, false, true, true).isEmpty());
    }

    void withoutStockUnitsAreNotAsked()
    {
        TDatosMedicamento datos = Completo();
        datos.Unidades.clear();
        QCOMPARE(ErrorMedicamento(datos, true, true, false, false), QString());
    }
};

QTEST_GUILESS_MAIN(TestDatosMedicamento)
#include "test_datos_medicamento.moc"
