#include "ui/shell/FMain.h"

#include "core/shell/Version.h"

#include <QCloseEvent>
#include <QStackedWidget>

TFormInicio::TFormInicio(ExitConfirmation confirmExit, QWidget *parent)
    : QMainWindow(parent)
    , m_confirmExit(std::move(confirmExit))
    , m_workingArea(new QStackedWidget(this))
{
    setObjectName(QStringLiteral("FormInicio"));
    setWindowTitle(QStringLiteral("Pastillero ") + VersionTexto());
    m_workingArea->setObjectName(QStringLiteral("AreaTrabajo"));
    setCentralWidget(m_workingArea);
    resize(1024, 740);
}

void TFormInicio::bringToFront()
{
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void TFormInicio::closeEvent(QCloseEvent *event)
{
    if (m_closing) {
        event->accept();
        return;
    }
    if (m_confirmExit && !m_confirmExit()) {
        event->ignore();
        return;
    }
    m_closing = true;
    emit closingConfirmed();
    event->accept();
}
