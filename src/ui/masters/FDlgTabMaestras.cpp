#include "ui/masters/FDlgTabMaestras.h"

#include "core/data/ManejadorErrores.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "ui/i18n/BotonesDialogo.h"
#include "ui/i18n/Componente.h"
#include "ui/shell/Mensajes.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr int kAnchoDescripcion = 100; // TabMaestras.Descripcion

} // namespace

TDlgTabMaestras::TDlgTabMaestras(int codTab, const std::optional<TEntradaMaestra> &entrada, QWidget *parent)
    : TKelvoDlgForm(parent)
    , m_codTab(codTab)
    , m_nuevo(!entrada)
    , m_edtCodigo(Componente<QLineEdit>(this, "edtCodigo"))
    , m_edtDescripcion(Componente<QLineEdit>(this, "edtDescripcion"))
{
    setObjectName(QStringLiteral("DlgTabMaestras"));
    m_edtDescripcion->setMaxLength(kAnchoDescripcion);
    // The code is the application's: shown to nobody, only kept beside the description.
    auto *lblCodigo = Componente<QLabel>(this, "lblCodigo", QStringLiteral("CODIGO"));
    lblCodigo->hide();
    m_edtCodigo->hide();
    m_edtCodigo->setEnabled(false);
    TextosDeCodigo(*m_edtCodigo);
    m_edtCodigo->setText(QString::number(entrada ? entrada->Codigo : DM().SiguienteCodigo(codTab)));

    auto *campos = new QFormLayout;
    campos->addRow(lblCodigo, m_edtCodigo);
    campos->addRow(Componente<QLabel>(this, "lblDescripcion", QStringLiteral("DESCRIPCION")),
                   m_edtDescripcion);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(campos);
    layout->addLayout(BotonesAceptarCancelar(this, [this] { btnAceptarClick(); }));

    if (entrada)
        m_edtDescripcion->setText(entrada->Descripcion);
    // The catalogue translates the dialog first; the caption depends on the mode.
    ensurePolished();
    setWindowTitle(m_nuevo ? Traducir(QStringLiteral("CAPTION_NUEVO"), QStringLiteral("NUEVO"))
                           : Traducir(QStringLiteral("CAPTION_EDITAR"), QStringLiteral("EDITAR")));
}

int TDlgTabMaestras::Codigo() const
{
    return m_edtCodigo->text().toInt();
}

void TDlgTabMaestras::btnAceptarClick()
{
    const QString descripcion = m_edtDescripcion->text();
    if (const QString error = TTablasMaestras::ErrorDescripcion(descripcion); !error.isEmpty()) {
        MostrarError(error);
        m_edtDescripcion->setFocus();
        return;
    }
    TTablasMaestras tablas(DM());
    int codigo = Codigo();
    const bool guardado = ManejadorErrores::Proteger([&] {
        if (m_nuevo)
            codigo = tablas.Anadir(m_codTab, descripcion);
        else
            tablas.Modificar(m_codTab, codigo, descripcion);
    });
    if (!guardado)
        return;
    m_edtCodigo->setText(QString::number(codigo));
    accept();
}
