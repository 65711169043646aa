#include "ui/patients/FFichaPaciente.h"

#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "ui/i18n/Componente.h"
#include "ui/patients/MarcoFichaPaciente.h"
#include "ui/shell/TMarcoPantalla.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFormFichaPaciente::TFormFichaPaciente(QWidget *parent)
    : TPantalla(parent)
    , m_marco(nullptr)
{
    setObjectName(QStringLiteral("FormFichaPaciente"));
    const QString caption
            = Traducir(QStringLiteral("CAPTION_FICHA_PACIENTE"), QStringLiteral("FICHA PACIENTE"));
    setWindowTitle(caption);

    auto *marco = new TMarcoPantalla(this);
    auto *pantalla = new QVBoxLayout(this);
    pantalla->setContentsMargins(0, 0, 0, 0);
    pantalla->addWidget(marco);
    auto *disposicion = new QVBoxLayout(marco->Contenido());
    disposicion->addWidget(Componente<QLabel>(marco->Contenido(), "lblCaption", caption));
    m_marco = new TMarcoFichaPaciente(DM().idPacienteActivo, marco->Contenido());
    disposicion->addWidget(m_marco, 1);
    auto *btnImprimir
            = Componente<QPushButton>(marco->Contenido(), "btnImprimir", QStringLiteral("IMPRIMIR"));
    btnImprimir->setEnabled(m_marco->Abierta());
    auto *btnVolver = Componente<QPushButton>(marco->Contenido(), "btnVolver", QStringLiteral("VOLVER"));
    auto *botones = new QHBoxLayout;
    botones->addWidget(btnImprimir);
    botones->addStretch();
    botones->addWidget(btnVolver);
    disposicion->addLayout(botones);
    connect(btnImprimir, &QPushButton::clicked, this, &TFormFichaPaciente::btnImprimirClick);
    connect(btnVolver, &QPushButton::clicked, this, &TFormFichaPaciente::btnVolverClick);
}

void TFormFichaPaciente::btnVolverClick()
{
    if (m_marco->SoloLectura())
        m_marco->Descartar(windowTitle());
    else if (!m_marco->Guardar(windowTitle()))
        return;
    emit volver();
}

void TFormFichaPaciente::btnImprimirClick()
{
    m_marco->Imprimir(windowTitle());
}
