// The returns screen and its dialog in the five languages, with the catalogue the application
// ships: form lines when first shown, and the captions chosen at run time.
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "support/EntornoIdioma.h"
#include "support/MensajesGrabados.h"
#include "support/TestDatabase.h"
#include "ui/stock/FDlgIntroducirToma.h"
#include "ui/stock/FPacienteRetorno.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestIdiomasRetorno : public QObject
{
    Q_OBJECT

private slots:
    void cadaVentanaEnSuIdioma_data()
    {
        QTest::addColumn<int>("idioma");
        // screen title, IMPRIMIR, RETORNO BLISTER, dialog title, COMPRIMIDOS
        QTest::addColumn<QStringList>("textos");
        QTest::newRow("Spanish") << 0
                                 << QStringList {"RETORNOS PACIENTES", "IMPRIMIR", "RETORNO BLISTER",
                                                 "INTRODUCIR TOMA", "COMPRIMIDOS"};
        QTest::newRow("Portuguese") << 1
                                    << QStringList {"DEVOLUÇÕES DOS PACIENTES", "IMPRIMIR",
                                                    "DEVOLUÇÃO BLISTER", "INTRODUZIR DOSE", "COMPRIMIDOS"};
        QTest::newRow("French") << 2
                                << QStringList {"RETOURS PATIENTS", "IMPRIMER", "RETOUR BLISTER",
                                                "SAISIR UNE PRISE", "COMPRIMÉS"};
        QTest::newRow("English") << 3
                                 << QStringList {"PATIENT RETURNS", "PRINT", "BLISTER RETURN", "ENTER DOSE",
                                                 "TABLETS"};
        QTest::newRow("Italian") << 4
                                 << QStringList {"RESI PAZIENTI", "STAMPA", "RESO BLISTER", "INSERISCI DOSE",
                                                 "COMPRESSE"};
    }
    void cadaVentanaEnSuIdioma()
    {
        QFETCH(int, idioma);
        QFETCH(QStringList, textos);
        EntornoIdioma entorno(idioma);
        TFormPacienteRetorno form;
        form.show();
        TDlgIntroducirToma dialogo;
        dialogo.show();
        QCOMPARE((QStringList {form.windowTitle(),
                               form.findChild<QPushButton *>(QStringLiteral("btnImprimir"))->text(),
                               form.findChild<QGroupBox *>(QStringLiteral("grpBlister"))->title(),
                               dialogo.windowTitle(),
                               dialogo.findChild<QLabel *>(QStringLiteral("lblComprimidos"))->text()}),
                 textos);
    }
};

QTEST_MAIN(TestIdiomasRetorno)
#include "test_idiomas_retorno.moc"
