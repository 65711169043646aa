// The prescription dialog and panel in the five languages, with the catalogue the application
// ships.
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "support/EntornoIdioma.h"
#include "support/MensajesGrabados.h"
#include "support/TestDatabase.h"
#include "ui/patients/FDlgReceta.h"
#include "ui/patients/FPacienteTratamiento.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTest>

class TestIdiomasRecetas : public QObject
{
    Q_OBJECT

private slots:
    void elDialogoYElPanelEnSuIdioma_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::addColumn<QStringList>("textos"); // caption, date label, panel's dispense button
        QTest::newRow("Spanish") << 0 << QStringList {"INTRODUCIR RECETA", "FECHA RECETA", "DISPENSAR"};
        QTest::newRow("Portuguese") << 1
                                    << QStringList {"INTRODUZIR RECEITA", "DATA DA RECEITA", "DISPENSAR"};
        QTest::newRow("French") << 2 << QStringList {"SAISIR ORDONNANCE", "DATE DE L'ORDONNANCE", "DÉLIVRER"};
        QTest::newRow("English") << 3 << QStringList {"ENTER PRESCRIPTION", "PRESCRIPTION DATE", "DISPENSE"};
        QTest::newRow("Italian") << 4 << QStringList {"INSERISCI RICETTA", "DATA RICETTA", "DISPENSA"};
    }
    void elDialogoYElPanelEnSuIdioma()
    {
        QFETCH(int, idioma);
        QFETCH(QStringList, textos);
        EntornoIdioma entorno(idioma);
        TDlgReceta dialogo;
        dialogo.show();
        TFormPacienteTratamiento tratamiento;
        tratamiento.show();
        QCOMPARE((QStringList {
                         dialogo.windowTitle(),
                         dialogo.findChild<QLabel *>(QStringLiteral("lblFecha"))->text(),
                         tratamiento.findChild<QAbstractButton *>(QStringLiteral("btnDispensar"))->text()}),
                 textos);
    }
};

QTEST_MAIN(TestIdiomasRecetas)
#include "test_idiomas_recetas.moc"
