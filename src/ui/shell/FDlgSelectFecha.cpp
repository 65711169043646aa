#include "ui/shell/FDlgSelectFecha.h"

#include "core/common/Clock.h"
#include "core/i18n/ULenguaje.h"
#include "ui/i18n/BotonesDialogo.h"
#include "ui/i18n/Componente.h"
#include "ui/shell/CampoFecha.h"
#include "ui/shell/Mensajes.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TDlgSelectFecha::TDlgSelectFecha(const QString &titulo, const QString &pregunta, bool vacioPermitido,
                                 QWidget *parent)
    : TKelvoDlgForm(parent)
    , m_campo(new TCampoFecha(QStringLiteral("edtFecha"), this))
    , m_vacioPermitido(vacioPermitido)
{
    setObjectName(QStringLiteral("DlgSelectFecha"));
    setWindowTitle(titulo);
    auto *lblPregunta = new QLabel(pregunta, this);
    lblPregunta->setObjectName(QStringLiteral("lblPregunta"));
    // The caller's title and question, translated by the caller.
    TextosDeCodigo(*this);
    TextosDeCodigo(*lblPregunta);
    m_campo->setFecha(Clock::today());
    auto *fila = new QHBoxLayout;
    fila->addWidget(lblPregunta);
    fila->addWidget(m_campo, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fila);
    layout->addLayout(BotonesAceptarCancelar(this, [this] { btnAceptarClick(); }));
}

void TDlgSelectFecha::btnAceptarClick()
{
    const bool vacio = m_campo->Texto().trimmed().isEmpty();
    const QDate fecha = m_campo->Fecha();
    if (vacio ? !m_vacioPermitido : !fecha.isValid()) {
        MostrarError(
                Traducir(QStringLiteral("ERR_FECHA_INVALIDA"), QStringLiteral("INTRODUCIR FECHA VALIDA")));
        m_campo->Campo()->setFocus();
        return;
    }
    m_fecha = vacio ? QDate() : fecha;
    accept();
}

std::optional<QDate> TDlgSelectFecha::Pedir(const QString &titulo, const QString &pregunta,
                                            bool vacioPermitido, QWidget *parent)
{
    TDlgSelectFecha dialogo(titulo, pregunta, vacioPermitido, parent);
    if (dialogo.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialogo.Fecha();
}
