#include "ui/users/FDlgCambiarClave.h"

#include "core/data/ManejadorErrores.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/users/TUsuarios.h"
#include "core/users/ValidacionUsuario.h"
#include "ui/i18n/BotonesDialogo.h"
#include "ui/i18n/Componente.h"
#include "ui/shell/Mensajes.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit *CampoClave(QWidget *padre, const char *nombre)
{
    auto *campo = new QLineEdit(padre);
    campo->setObjectName(QString::fromLatin1(nombre));
    campo->setEchoMode(QLineEdit::Password);
    return campo;
}

} // namespace

TDlgCambiarClave::TDlgCambiarClave(int idUsuario, QWidget *parent)
    : TKelvoDlgForm(parent)
    , m_idUsuario(idUsuario)
    , m_edtClave(CampoClave(this, "edtClave"))
    , m_edtConfirmar(CampoClave(this, "edtConfirmar"))
{
    setObjectName(QStringLiteral("DlgCambiarClave"));
    setWindowTitle(QStringLiteral("CAMBIAR CLAVE"));

    auto *campos = new QFormLayout;
    campos->addRow(Componente<QLabel>(this, "lblClave", QStringLiteral("CLAVE NUEVA")), m_edtClave);
    campos->addRow(Componente<QLabel>(this, "lblConfirmar", QStringLiteral("CONFIRMAR CLAVE")),
                   m_edtConfirmar);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Componente<QLabel>(this, "lblAviso",
                                         QStringLiteral("DEBE ELEGIR UNA CLAVE NUEVA ANTES DE CONTINUAR")));
    layout->addLayout(campos);
    layout->addLayout(BotonesAceptarCancelar(this, [this] { btnAceptarClick(); }));
}

void TDlgCambiarClave::btnAceptarClick()
{
    TUsuarios usuarios(DM());
    QString error = ValidacionUsuario::ErrorClave(m_edtClave->text(), m_edtConfirmar->text());
    if (error.isEmpty() && usuarios.EsClaveActual(m_idUsuario, m_edtClave->text()))
        error = Traducir(QStringLiteral("ERR_CLAVE_IGUAL"),
                         QStringLiteral("La clave nueva debe ser distinta de la actual."));
    if (!error.isEmpty()) {
        MostrarError(error);
        return;
    }
    const bool guardada
            = ManejadorErrores::Proteger([&] { usuarios.CambiarClave(m_idUsuario, m_edtClave->text()); });
    m_edtClave->clear();
    m_edtConfirmar->clear();
    if (guardada)
        accept();
}
