#include "ui/patients/FDlgSeleccionarInforme.h"

#include "core/i18n/ULenguaje.h"
#include "ui/i18n/BotonesDialogo.h"
#include "ui/i18n/Componente.h"

#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

TDlgSeleccionarInforme::TDlgSeleccionarInforme(QWidget *parent)
    : TKelvoDlgForm(parent)
    , m_rbCambios(Componente<QRadioButton>(this, "rbCambios",
                                           QStringLiteral("HISTORIA DE CAMBIOS: RECUENCIA, ACTUALIZACIÓN")))
    , m_rbUso(Componente<QRadioButton>(this, "rbUso", QStringLiteral("HISTORICO DE USO DE MEDICAMENTOS")))
{
    setObjectName(QStringLiteral("DlgSeleccionarInforme"));
    m_rbCambios->setChecked(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_rbCambios);
    layout->addWidget(m_rbUso);
    layout->addLayout(BotonesAceptarCancelar(this, [this] { accept(); }));
    ensurePolished();
    setWindowTitle(Traducir(QStringLiteral("STR_SELECCIONAR_INFORME"),
                            QStringLiteral("Seleccionar el Informe a Imprimir")));
}

bool TDlgSeleccionarInforme::UsoElegido() const
{
    return m_rbUso->isChecked();
}
