// The patients' windows in the five languages, with the catalogue the application ships: every
// window takes its texts from its form lines when it is first shown.
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/patients/EntradaEditorTratamiento.h"
#include "core/settings/uPreferencias.h"
#include "support/EntornoIdioma.h"
#include "support/MensajesGrabados.h"
#include "support/TestDatabase.h"
#include "ui/patients/FDlgTratamientoEditarV2.h"
#include "ui/patients/FFichaPaciente.h"
#include "ui/patients/FPacienteFicha.h"
#include "ui/patients/FPacienteTratamiento.h"
#include "ui/patients/FPacientes.h"

#include <QAbstractButton>
#include <QTest>

namespace {

QString Texto(QWidget &ventana, const char *boton)
{
    ventana.show();
    auto *componente = ventana.findChild<QAbstractButton *>(QString::fromLatin1(boton));
    return componente ? componente->text() : QString();
}

} // namespace

class TestIdiomasPacientes : public QObject
{
    Q_OBJECT

private slots:
    void cadaVentanaEnSuIdioma_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::addColumn<QStringList>(
                "textos"); // list NUEVO, card MUJER, treatment HISTORICO, editor MENSUAL
        QTest::newRow("Spanish") << 0 << QStringList {"NUEVO", "MUJER", "HISTORICO", "MENSUAL"};
        QTest::newRow("Portuguese") << 1 << QStringList {"NOVO", "MULHER", "HISTÓRICO", "MENSAL"};
        QTest::newRow("French") << 2 << QStringList {"NOUVEAU", "FEMME", "HISTORIQUE", "MENSUELLE"};
        QTest::newRow("English") << 3 << QStringList {"NEW", "FEMALE", "HISTORY", "MONTHLY"};
        QTest::newRow("Italian") << 4 << QStringList {"NUOVO", "DONNA", "STORICO", "MENSILE"};
    }
    void cadaVentanaEnSuIdioma()
    {
        QFETCH(int, idioma);
        QFETCH(QStringList, textos);
        EntornoIdioma entorno(idioma);
        entorno.dm.Usuario = TUsuario {1, QStringLiteral("rosa"), QStringLiteral("ROSA"), {}, true};
        TFormPacientes lista;
        TFormPacienteFicha ficha(0);
        TFormPacienteTratamiento tratamiento;
        TEntradaEditorTratamiento entrada;
        entrada.SPD = entrada.SPDInicial = true;
        TDlgTratamientoEditarv2 editor(entrada);
        QCOMPARE((QStringList {Texto(lista, "btnNuevo"), Texto(ficha, "rbMujer"),
                               Texto(tratamiento, "btnHistorico"), Texto(editor, "rbMensual")}),
                 textos);
    }
};

QTEST_MAIN(TestIdiomasPacientes)
#include "test_idiomas_pacientes.moc"
