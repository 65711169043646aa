#include "ui/shell/TDlgQuestion.h"

#include <QGuiApplication>

TDlgQuestion::TDlgQuestion(const QString &texto, std::function<void()> alAceptar, QWidget *parent)
    : TDlgMensaje(PresentadorMensajes::TTipo::Aviso, texto, 0, parent)
    , m_alAceptar(std::move(alAceptar))
{
    setObjectName(QStringLiteral("DlgQuestion"));
}

void TDlgQuestion::Mostrar()
{
    exec();
    if (m_error)
        std::rethrow_exception(m_error);
}

void TDlgQuestion::accept()
{
    if (m_alAceptar) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        try {
            m_alAceptar();
        } catch (...) {
            m_error = std::current_exception();
        }
        QGuiApplication::restoreOverrideCursor();
    }
    TDlgMensaje::accept();
}
