// The delivery screens in the five languages, with the catalogue the application ships: each
// takes its texts from its form lines when it is first shown.
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "support/EntornoIdioma.h"
#include "support/MensajesGrabados.h"
#include "support/TestDatabase.h"
#include "ui/stock/FCategoriaEntrega.h"
#include "ui/stock/FPacienteEntrega.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QTableWidget>
#include <QTest>

namespace {

QString Boton(QWidget &ventana, const char *nombre)
{
    auto *boton = ventana.findChild<QAbstractButton *>(QString::fromLatin1(nombre));
    return boton ? boton->text() : QString();
}

QString Grupo(QWidget &ventana, const char *nombre)
{
    auto *grupo = ventana.findChild<QGroupBox *>(QString::fromLatin1(nombre));
    return grupo ? grupo->title() : QString();
}

QString Titulo(QWidget &ventana, int columna)
{
    auto *rejilla = ventana.findChild<QTableWidget *>(QStringLiteral("grdCargas"));
    return rejilla ? rejilla->horizontalHeaderItem(columna)->text() : QString();
}

} // namespace

class TestIdiomasEntrega : public QObject
{
    Q_OBJECT

private slots:
    void cadaPantallaEnSuIdioma_data()
    {
        QTest::addColumn<int>("idioma");
        // patient: ENTREGAR TODOS, the pending-prescription panel, the title of the caption column
        // "PREPARADO POR"; category: the dates panel, "IMPRIMIR STOCK", the window's title
        QTest::addColumn<QStringList>("textos");
        QTest::newRow("Spanish") << 0 << QStringList {"ENTREGAR TODOS",
                                                      "MEDICAMENTOS PENDIENTES DE RECETA EN LA PROXIMA CARGA",
                                                      "PREPARADO POR",
                                                      "CARGAS  REALIZADAS",
                                                      "IMPRIMIR STOCK",
                                                      "Entrega Blister"};
        QTest::newRow("Portuguese") << 1 << QStringList {"ENTREGAR TODOS",
                                                         "MEDICAMENTOS PENDENTES DE RECEITA NA PRÓXIMA CARGA",
                                                         "PREPARADO POR",
                                                         "CARGAS REALIZADAS",
                                                         "IMPRIMIR STOCK",
                                                         "Entrega Blister"};
        QTest::newRow("French") << 2
                                << QStringList {
                                           "TOUT LIVRER",
                                           "MÉDICAMENTS EN ATTENTE D'ORDONNANCE POUR LE PROCHAIN CHARGEMENT",
                                           "PRÉPARÉ PAR",
                                           "CHARGEMENTS EFFECTUÉS",
                                           "IMPRIMER LE STOCK",
                                           "Livraison Blister"};
        QTest::newRow("English") << 3 << QStringList {"DELIVER ALL",
                                                      "MEDICATION AWAITING PRESCRIPTION FOR THE NEXT LOAD",
                                                      "PREPARED BY",
                                                      "LOADS MADE",
                                                      "PRINT STOCK",
                                                      "Blister Delivery"};
        QTest::newRow("Italian") << 4 << QStringList {"CONSEGNA TUTTI",
                                                      "FARMACI IN ATTESA DI RICETTA PER IL PROSSIMO CARICO",
                                                      "PREPARATO DA",
                                                      "CARICHI EFFETTUATI",
                                                      "STAMPA SCORTE",
                                                      "Consegna Blister"};
    }
    void cadaPantallaEnSuIdioma()
    {
        QFETCH(int, idioma);
        QFETCH(QStringList, textos);
        EntornoIdioma entorno(idioma);
        entorno.dm.Usuario = TUsuario {1, QStringLiteral("rosa"), QStringLiteral("ROSA"), {}, true};
        TFormPacienteEntrega paciente;
        paciente.show();
        TFormCategoriaEntrega categoria;
        categoria.show();
        QCOMPARE((QStringList {Boton(paciente, "btnEntregarTodos"), Grupo(paciente, "grpRecetas"),
                               Titulo(paciente, 4), Grupo(categoria, "grpFechas"),
                               Boton(categoria, "btnImprimirStock"), categoria.windowTitle()}),
                 textos);
    }
};

QTEST_MAIN(TestIdiomasEntrega)
#include "test_idiomas_entrega.moc"
