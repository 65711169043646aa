#include "ui/patients/FPacienteFicha.h"

#include "core/i18n/ULenguaje.h"
#include "ui/i18n/BotonesDialogo.h"
#include "ui/i18n/Componente.h"
#include "ui/patients/MarcoFichaPaciente.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TFormPacienteFicha::TFormPacienteFicha(qint64 idPaciente, QWidget *parent)
    : TKelvoDlgForm(parent)
    , m_marco(new TMarcoFichaPaciente(idPaciente, this))
{
    setObjectName(QStringLiteral("FormPacienteFicha"));
    auto *btnImprimir = Componente<QPushButton>(this, "btnImprimir", QStringLiteral("IMPRIMIR"));
    btnImprimir->setAutoDefault(false);
    btnImprimir->setEnabled(m_marco->Abierta() && !(m_marco->SoloLectura() && m_marco->EsNuevo()));
    connect(btnImprimir, &QPushButton::clicked, this, &TFormPacienteFicha::btnImprimirClick);
    QHBoxLayout *botones = BotonesAceptarCancelar(this, [this] { btnAceptarClick(); });
    botones->insertWidget(0, btnImprimir);
    botones->insertStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_marco);
    layout->addLayout(botones);

    // The catalogue translates the dialog first; the caption depends on the mode.
    ensurePolished();
    setWindowTitle(
            idPaciente == 0
                    ? Traducir(QStringLiteral("CAPTION_NUEVO_PACIENTE"), QStringLiteral("NUEVO PACIENTE"))
                    : Traducir(QStringLiteral("CAPTION_EDITAR_PACIETE"), QStringLiteral("EDITAR PACIENTE")));
}

bool TFormPacienteFicha::Guardada() const
{
    return m_marco->Guardada();
}

void TFormPacienteFicha::btnAceptarClick()
{
    if (m_marco->SoloLectura()) {
        reject();
        return;
    }
    if (m_marco->Guardar(windowTitle()))
        accept();
}

void TFormPacienteFicha::btnImprimirClick()
{
    m_marco->Imprimir(windowTitle());
}

void TFormPacienteFicha::reject()
{
    m_marco->Descartar(windowTitle());
    TKelvoDlgForm::reject();
}

namespace {

bool MostrarFicha(qint64 idPaciente, QWidget *parent)
{
    TFormPacienteFicha ficha(idPaciente, parent);
    if (!ficha.Marco().Abierta())
        return false;
    ficha.exec();
    return ficha.Guardada();
}

} // namespace

bool FichaNuevoPaciente(QWidget *parent)
{
    return MostrarFicha(0, parent);
}

bool FichaEditarPaciente(qint64 idPaciente, QWidget *parent)
{
    return MostrarFicha(idPaciente, parent);
}
