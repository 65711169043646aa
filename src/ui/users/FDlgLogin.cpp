#include "ui/users/FDlgLogin.h"

#include "core/data/uDM.h"

#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel *Etiqueta(QWidget *padre, const char *nombre, const QString &texto, QWidget *campo)
{
    auto *etiqueta = new QLabel(texto, padre);
    etiqueta->setObjectName(QString::fromLatin1(nombre));
    etiqueta->setBuddy(campo);
    return etiqueta;
}

} // namespace

TDlgLogin::TDlgLogin(QWidget *parent)
    : TKelvoDlgForm(parent)
    , m_edtUsuario(new QLineEdit(this))
    , m_edtClave(new QLineEdit(this))
{
    setObjectName(QStringLiteral("DlgLogin"));
    setWindowTitle(QStringLiteral("LOGIN"));
    m_edtUsuario->setObjectName(QStringLiteral("edtUsuario"));
    m_edtClave->setObjectName(QStringLiteral("edtClave"));
    m_edtClave->setEchoMode(QLineEdit::Password);
    auto *btnAceptar = new QPushButton(QStringLiteral("ACEPTAR"), this);
    btnAceptar->setObjectName(QStringLiteral("btnAceptar"));
    // Enter follows the dialog's own rules, never a default button.
    btnAceptar->setAutoDefault(false);

    auto *campos = new QFormLayout;
    campos->addRow(Etiqueta(this, "lblUsuario", QStringLiteral("USUARIO"), m_edtUsuario), m_edtUsuario);
    campos->addRow(Etiqueta(this, "lblClave", QStringLiteral("CLAVE"), m_edtClave), m_edtClave);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(campos);
    layout->addWidget(btnAceptar);

    connect(btnAceptar, &QPushButton::clicked, this, &TDlgLogin::btnAceptarClick);
    m_edtUsuario->setFocus();
}

void TDlgLogin::btnAceptarClick()
{
    const bool conocido = DM().ComprobarUsuario(m_edtUsuario->text(), m_edtClave->text());
    m_edtClave->clear();
    // One attempt: a refused check closes the dialog as well.
    if (conocido)
        accept();
    else
        reject();
}

void TDlgLogin::keyPressEvent(QKeyEvent *evento)
{
    if (evento->key() != Qt::Key_Return && evento->key() != Qt::Key_Enter) {
        TKelvoDlgForm::keyPressEvent(evento);
        return;
    }
    if (evento->modifiers() & Qt::ShiftModifier)
        m_edtUsuario->setFocus();
    else if (focusWidget() == m_edtClave && !m_edtUsuario->text().isEmpty())
        btnAceptarClick();
    else
        m_edtClave->setFocus();
}
