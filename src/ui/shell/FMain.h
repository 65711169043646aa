#pragma once

#include "ui/i18n/TKelvoVentana.h"
#include "ui/shell/TAreaTrabajo.h"

#include <QMainWindow>

#include <functional>

// The two session markers of the patient hub's "VOLVER": where the hub was reached from. A search
// on the main screen clears both.
struct TMarcasSesion
{
    bool desdeCargaCategoria = false;
    bool desdeListaPacientes = false;
};

// The main window: the caption, and the working area that hosts one screen at a time. Each
// time it is shown it sets its caption; the first time it also opens the main screen.
// Closing must be confirmed; once it is, closingConfirmed() lets the owner run the shutdown.
// One per process while the session lasts, reached through FormInicio().
class TFormInicio : public QMainWindow
{
    Q_OBJECT

public:
    using ExitConfirmation = std::function<bool()>;

    explicit TFormInicio(ExitConfirmation confirmExit, QWidget *parent = nullptr);
    ~TFormInicio() override;

    TAreaTrabajo *workingArea() const { return m_workingArea; }

    // Navigation: see TAreaTrabajo.
    template<class T> T *AbrirPantalla(const QString &tag = {})
    {
        return m_workingArea->AbrirPantalla<T>(tag);
    }
    template<class T> void CerrarPantallas() { m_workingArea->CerrarPantallas<T>(); }
    void CerrarPantallaActual() { m_workingArea->CerrarPantallaActual(); }
    QWidget *PantallaActual() const { return m_workingArea->PantallaActual(); }

    TMarcasSesion Marcas;

    // Updates are taken from the beta channel (shown in the caption).
    void SetCanalBeta(bool beta) { m_canalBeta = beta; }
    bool CanalBeta() const { return m_canalBeta; }
    // The caption from the version, the machine's software and the catalogue's modes.
    void ActualizarTitulo();

    // Brings the window to the front, restoring it when minimised (a second start asked).
    void bringToFront();

signals:
    void closingConfirmed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    ExitConfirmation m_confirmExit;
    TAreaTrabajo *m_workingArea;
    TKelvoVentana m_ventana;
    bool m_canalBeta = false;
    bool m_closing = false;
    bool m_pantallaInicialAbierta = false;
};

// The process's main window; it must exist.
TFormInicio &FormInicio();
bool ExisteFormInicio();
