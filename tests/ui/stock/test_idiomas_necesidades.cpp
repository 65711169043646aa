// The needs screens and the date dialog in the five languages, with the catalogue the
// application ships: each takes its texts from its form lines when it is first shown.
#include "support/EntornoIdioma.h"
#include "ui/patients/FCategoriaPacientes.h"
#include "ui/shell/FDlgSelectFecha.h"
#include "ui/stock/FNecesidades.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

namespace {

QString Texto(QWidget &ventana, const char *nombre)
{
    if (auto *boton = ventana.findChild<QAbstractButton *>(QString::fromLatin1(nombre)))
        return boton->text();
    auto *etiqueta = ventana.findChild<QLabel *>(QString::fromLatin1(nombre));
    return etiqueta ? etiqueta->text() : QString();
}

QString Titulo(QWidget &ventana, const char *rejilla, int columna)
{
    auto *tabla = ventana.findChild<QTableWidget *>(QString::fromLatin1(rejilla));
    return tabla ? tabla->horizontalHeaderItem(columna)->text() : QString();
}

} // namespace

class TestIdiomasNecesidades : public QObject
{
    Q_OBJECT

private slots:
    void cadaVentanaEnSuIdioma_data()
    {
        QTest::addColumn<int>("idioma");
        // needs: title, "CALCULAR", "REPARTIR", the missing column; category: "OTROS" tab, the
        // chart by slot, the planned lines' portions column; date dialog: "CANCELAR"
        QTest::addColumn<QStringList>("textos");
        QTest::newRow("Spanish") << 0
                                 << QStringList {"NECESIDADES", "CALCULAR",         "REPARTIR",  "Faltan",
                                                 "OTROS",       "HOJA POR FRANJAS", "PORCIONES", "CANCELAR"};
        QTest::newRow("Portuguese") << 1 << QStringList {"NECESSIDADES", "CALCULAR", "DISTRIBUIR",
                                                         "Faltam",       "OUTROS",   "FOLHA POR HORÁRIOS",
                                                         "PORÇÕES",      "CANCELAR"};
        QTest::newRow("French") << 2 << QStringList {"BESOINS",  "CALCULER", "RÉPARTIR",
                                                     "Manquent", "AUTRES",   "FEUILLE PAR CRÉNEAUX",
                                                     "PORTIONS", "ANNULER"};
        QTest::newRow("English") << 3 << QStringList {"NEEDS",  "CALCULATE",          "DISTRIBUTE", "Missing",
                                                      "OTHERS", "CHART BY TIME SLOT", "PORTIONS",   "CANCEL"};
        QTest::newRow("Italian") << 4 << QStringList {"FABBISOGNI", "CALCOLA", "DISTRIBUISCI",
                                                      "Mancano",    "ALTRI",   "SCHEDA PER FASCE ORARIE",
                                                      "PORZIONI",   "ANNULLA"};
    }
    void cadaVentanaEnSuIdioma()
    {
        QFETCH(int, idioma);
        QFETCH(QStringList, textos);
        EntornoIdioma entorno(idioma);
        TFormNecesidades necesidades;
        necesidades.show();
        TFormCategoriaPacientes categoria;
        categoria.show();
        TDlgSelectFecha fecha(QStringLiteral("-"), QStringLiteral("-"), false);
        fecha.show();
        QCOMPARE((QStringList {necesidades.windowTitle(), Texto(necesidades, "btnCalcular"),
                               Texto(necesidades, "btnRepartir"), Titulo(necesidades, "grdMedicamentos", 2),
                               categoria.findChild<QTabWidget *>(QStringLiteral("pgcPestanas"))->tabText(1),
                               Texto(categoria, "btnHojaFranjas"),
                               Titulo(categoria, "grdCargasPlanificadas", 3), Texto(fecha, "btnCancelar")}),
                 textos);
    }
};

QTEST_MAIN(TestIdiomasNecesidades)
#include "test_idiomas_necesidades.moc"
