#include "ui/users/FDlgUsuario.h"

#include "core/data/ManejadorErrores.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/users/ValidacionUsuario.h"
#include "ui/i18n/BotonesDialogo.h"
#include "ui/i18n/Componente.h"
#include "ui/shell/Mensajes.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kAnchoTexto = 50; // Usuario.username and Usuario.Nombre

} // namespace

TDlgUsuario::TDlgUsuario(const std::optional<TFilaUsuario> &fila, QWidget *parent)
    : TKelvoDlgForm(parent)
    , m_idUsuario(fila ? fila->idUsuario : 0)
    , m_edtUsuario(Componente<QLineEdit>(this, "edtUsuario"))
    , m_edtNombre(Componente<QLineEdit>(this, "edtNombre"))
    , m_cmbPerfil(Componente<QComboBox>(this, "cmbPerfil"))
    , m_edtClave(Componente<QLineEdit>(this, "edtClave"))
    , m_edtConfirmar(Componente<QLineEdit>(this, "edtConfirmar"))
{
    setObjectName(QStringLiteral("DlgUsuario"));
    m_edtUsuario->setMaxLength(kAnchoTexto);
    m_edtNombre->setMaxLength(kAnchoTexto);
    m_edtClave->setEchoMode(QLineEdit::Password);
    m_edtConfirmar->setEchoMode(QLineEdit::Password);
    // The item's position is the profile id; the names come translated from the profiles.
    for (const TCodigos &perfil : ListaPerfiles())
        m_cmbPerfil->addItem(perfil.Descripcion);
    TextosDeCodigo(*m_cmbPerfil);

    auto *campos = new QFormLayout;
    campos->addRow(Componente<QLabel>(this, "lblUsuario", QStringLiteral("USUARIO")), m_edtUsuario);
    campos->addRow(Componente<QLabel>(this, "lblNombre", QStringLiteral("NOMBRE COMPLETO")), m_edtNombre);
    campos->addRow(Componente<QLabel>(this, "lblPerfil", QStringLiteral("PERFIL")), m_cmbPerfil);
    campos->addRow(Componente<QLabel>(this, "lblClave", QStringLiteral("CONTRASEÑA")), m_edtClave);
    campos->addRow(Componente<QLabel>(this, "lblConfirmar", QStringLiteral("CONFIRMAR CONTRASEÑA")),
                   m_edtConfirmar);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(campos);
    layout->addLayout(BotonesAceptarCancelar(this, [this] { btnAceptarClick(); }));

    if (fila) {
        m_edtUsuario->setText(fila->username);
        m_edtNombre->setText(fila->Nombre);
        m_cmbPerfil->setCurrentIndex(fila->idPerfil);
    }
    // The catalogue translates the dialog first; the caption depends on the mode.
    ensurePolished();
    setWindowTitle(fila ? Traducir(QStringLiteral("CAPTION_EDITAR_USUARIO"), QStringLiteral("EDITAR USUARIO"))
                        : Traducir(QStringLiteral("CAPTION_NUEVO_USUARIO"), QStringLiteral("NUEVO USUARIO")));
}

TDatosUsuario TDlgUsuario::Datos() const
{
    return {m_edtUsuario->text(), m_edtNombre->text(), m_cmbPerfil->currentIndex(), m_edtClave->text()};
}

void TDlgUsuario::btnAceptarClick()
{
    const bool nuevo = m_idUsuario == 0;
    const TDatosUsuario datos = Datos();
    TUsuarios usuarios(DM());
    QString error = ValidacionUsuario::ErrorUsuario(datos.username, datos.Nombre, datos.clave,
                                                    m_edtConfirmar->text(), !nuevo);
    if (error.isEmpty() && !nuevo)
        error = usuarios.MotivoModificacionImposible(m_idUsuario, datos.idPerfil);
    if (!error.isEmpty()) {
        MostrarError(error);
        return;
    }
    const bool guardado = ManejadorErrores::Proteger([&] {
        if (nuevo)
            m_idUsuario = usuarios.Anadir(datos);
        else
            usuarios.Modificar(m_idUsuario, datos);
    });
    if (!guardado)
        return;
    m_edtClave->clear();
    m_edtConfirmar->clear();
    accept();
}
