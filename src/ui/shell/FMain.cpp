#include "ui/shell/FMain.h"

#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "core/shell/TituloVentana.h"
#include "core/shell/Version.h"
#include "ui/shell/FPrincipal.h"

#include <QCloseEvent>
#include <QShowEvent>

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
}

TFormInicio::~TFormInicio()
{
    if (Registrada() == this)
        Registrada() = nullptr;
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
    if (m_confirmExit && !m_confirmExit()) {
        event->ignore();
        return;
    }
    m_closing = true;
    emit closingConfirmed();
    event->accept();
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
