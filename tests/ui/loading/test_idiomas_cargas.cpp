// The list of loads, the validation dialog and the manual blister dialogs in the five languages,
// with the catalogue the application ships: every window takes its texts from its form lines
// when it is first shown.
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "support/EntornoIdioma.h"
#include "support/MensajesGrabados.h"
#include "support/TestDatabase.h"
#include "ui/loading/FCargas.h"
#include "ui/loading/FDlgBlisterManual.h"
#include "ui/loading/FDlgValCarga.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QTest>

namespace {

QString Texto(QWidget &ventana, const char *boton)
{
    ventana.show();
    auto *componente = ventana.findChild<QAbstractButton *>(QString::fromLatin1(boton));
    return componente ? componente->text() : QString();
}

} // namespace

class TestIdiomasCargas : public QObject
{
    Q_OBJECT

private slots:
    void cadaVentanaEnSuIdioma_data()
    {
        QTest::addColumn<int>("idioma");
        // list FILTRAR, its first situation, validation VALIDAR, square CONTINUAR, round title
        QTest::addColumn<QStringList>("textos");
        QTest::newRow("Spanish") << 0
                                 << QStringList {"FILTRAR", "TODAS", "VALIDAR", "CONTINUAR",
                                                 "BLISTER MANUAL REDONDO"};
        QTest::newRow("Portuguese") << 1
                                    << QStringList {"FILTRAR", "TODAS", "VALIDAR", "CONTINUAR",
                                                    "BLISTER MANUAL REDONDO"};
        QTest::newRow("French") << 2
                                << QStringList {"FILTRER", "TOUS", "VALIDER", "CONTINUER",
                                                "BLISTER MANUEL ROND"};
        QTest::newRow("English") << 3
                                 << QStringList {"FILTER", "ALL", "VALIDATE", "CONTINUE",
                                                 "ROUND MANUAL BLISTER"};
        QTest::newRow("Italian") << 4
                                 << QStringList {"FILTRA", "TUTTI", "CONVALIDA", "CONTINUA",
                                                 "BLISTER MANUALE ROTONDO"};
    }
    void cadaVentanaEnSuIdioma()
    {
        QFETCH(int, idioma);
        QFETCH(QStringList, textos);
        EntornoIdioma entorno(idioma);
        TFormCargas cargas;
        TDlgValCarga validacion {TValidacionCarga(0)};
        TBlisterManual blister;
        TDlgBlisterManual cuadrado(blister);
        blister.tipoBlister = 0;
        TDlgBlisterManual redondo(blister);
        const QString filtrar = Texto(cargas, "btnFiltrar");
        const QString situacion = cargas.findChild<QComboBox *>(QStringLiteral("cmbSitEntrega"))->itemText(0);
        redondo.show();
        QCOMPARE((QStringList {filtrar, situacion, Texto(validacion, "btnValidar"),
                               Texto(cuadrado, "btnContinuar"), redondo.windowTitle()}),
                 textos);
    }
};

QTEST_MAIN(TestIdiomasCargas)
#include "test_idiomas_cargas.moc"
