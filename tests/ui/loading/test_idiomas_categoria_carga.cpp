// The category load screen in the five languages, with the catalogue the application ships: it
// takes its texts from its form lines when it is first shown.
#include "core/data/uDM.h"
#include "core/dispenser/UDispenserTCP.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "support/EntornoIdioma.h"
#include "support/MensajesGrabados.h"
#include "support/TestDatabase.h"
#include "ui/loading/FCategoriaCarga.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestIdiomasCategoriaCarga : public QObject
{
    Q_OBJECT

private slots:
    void cadaIdioma_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::addColumn<QStringList>("textos"); // title, INICIO, DETENER, CARGAS ANTERIORES, ESTADO
        QTest::newRow("Spanish") << 0
                                 << QStringList {"CARGA DE LA CATEGORIA", "INICIO", "DETENER",
                                                 "CARGAS ANTERIORES", "ESTADO"};
        QTest::newRow("Portuguese") << 1
                                    << QStringList {"CARGA DA CATEGORIA", "INÍCIO", "PARAR",
                                                    "CARGAS ANTERIORES", "ESTADO"};
        QTest::newRow("French") << 2
                                << QStringList {"CHARGEMENT DE LA CATÉGORIE", "DÉMARRER", "ARRÊTER",
                                                "CHARGEMENTS PRÉCÉDENTS", "ÉTAT"};
        QTest::newRow("English") << 3
                                 << QStringList {"CATEGORY LOAD", "START", "STOP", "PREVIOUS LOADS", "STATE"};
        QTest::newRow("Italian") << 4
                                 << QStringList {"CARICO DELLA CATEGORIA", "AVVIO", "FERMA",
                                                 "CARICHI PRECEDENTI", "STATO"};
    }
    void cadaIdioma()
    {
        QFETCH(int, idioma);
        QFETCH(QStringList, textos);
        EntornoIdioma entorno(idioma);
        TDispenserTCP link(TConfiguracionRedDispensador::Local(0, 9));
        TFormCategoriaCarga form;
        form.show();
        QCOMPARE((QStringList {form.windowTitle(), Texto<QPushButton>(form, "btnInicio"),
                               Texto<QPushButton>(form, "btnDetener"),
                               Texto<QLabel>(form, "lblCargasAnteriores"),
                               Texto<QLabel>(form, "lblEstadoPacientes")}),
                 textos);
    }

private:
    template<typename T> static QString Texto(QWidget &ventana, const char *nombre)
    {
        auto *componente = ventana.findChild<T *>(QString::fromLatin1(nombre));
        return componente ? componente->text() : QString();
    }
};

QTEST_MAIN(TestIdiomasCategoriaCarga)
#include "test_idiomas_categoria_carga.moc"
