#include "ui/shell/FMain.h"

#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "core/shell/TituloVentana.h"
#include "core/shell/Version.h"
#include "ui/shell/FPrincipal.h"
#include "ui/shell/Mensajes.h"

#include <QApplication>
#include <QCloseEvent>
#include <QShowEvent>
#include <QStatusBar>

namespace {

TFormInicio *&Registrada()
{
    static TFormInicio *ventana = nullptr;
    return ventana;
}

} // namespace

TFormInicio::TFormInicio(ExitConfirmation confirmExit, QWidget *parent)
    : QMainWindow(parent)
    , m_confirmExit(std::move(confirmExit))
    , m_workingArea(new TAreaTrabajo(this))
    , m_ventana(*this, TKelvoVentana::TTipo::Pantalla, [this] { return PantallaActual(); })
{
    setObjectName(QStringLiteral("FormInicio"));
    setCentralWidget(m_workingArea);
    resize(1024, 740);
    Registrada() = this;
    EstablecerLineaEstado([this](const QString &texto) { statusBar()->showMessage(texto); });
}

TFormInicio::~TFormInicio()
{
    if (Registrada() == this) {
        Registrada() = nullptr;
        EstablecerLineaEstado({});
    }
}

void TFormInicio::ActualizarTitulo()
{
    TEstadoTitulo estado;
    estado.version = VersionTexto();
    estado.versionMaquina = Preferencias().VersionMaquina;
    estado.canalBeta = m_canalBeta;
    estado.desarrollo = Lenguaje().ModoDesarrollo();
    estado.captura = Lenguaje().ModoCaptura();
    setWindowTitle(TituloVentanaPrincipal(estado));
}

void TFormInicio::bringToFront()
{
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void TFormInicio::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (event->spontaneous())
        return;
    ActualizarTitulo();
    if (!m_pantallaInicialAbierta) {
        m_pantallaInicialAbierta = true;
        AbrirPantalla<TFormMain>();
    }
}

void TFormInicio::closeEvent(QCloseEvent *event)
{
    if (m_closing) {
        event->accept();
        return;
    }
    // A screen with a load running asks in its own words; otherwise the usual question.
    const std::optional<bool> trabajo = m_workingArea->SalirDeLaAplicacion();
    if (trabajo ? !*trabajo : m_confirmExit && !m_confirmExit()) {
        event->ignore();
        return;
    }
    m_closing = true;
    emit closingConfirmed();
    event->accept();
    // Every other window of the application (a preview, a report) ends with it.
    for (QWidget *ventana : QApplication::topLevelWidgets()) {
        if (ventana != this && ventana->isVisible())
            ventana->close();
    }
}

TFormInicio &FormInicio()
{
    Q_ASSERT(Registrada());
    return *Registrada();
}

bool ExisteFormInicio()
{
    return Registrada() != nullptr;
}
