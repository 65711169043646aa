#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

// What every window of the application does through its base class (TKelvoForm or
// TKelvoDlgForm): it translates itself once before it is first shown (capturing its texts
// first when capture mode is on), writes ": FORM: " and its name to the event log whenever it
// is shown, and answers the keys of the help, capture and translation-editor functions.
//
// In Qt a base class's constructor runs before the derived window has built its components,
// so the translation is applied when the window is first polished, just before it appears.
// The keys belong to windows: a screen shown inside another window (the main window's working
// area) leaves them to that window, which would otherwise see every key twice.
class TKelvoVentana : public QObject
{
    Q_OBJECT

public:
    enum class TTipo { Pantalla, Dialogo };

    // `aTraducir` names the window that F2 edits: a screen may pass the one shown in its
    // working area; by default the window itself.
    TKelvoVentana(QWidget &ventana, TTipo tipo, std::function<QWidget *()> aTraducir = {});
    ~TKelvoVentana() override;

    // Capture (when on) and translation, once; later calls do nothing.
    void Preparar();

    // Opens the translation editor on a window with the column of the current language
    // (index + 1); set by whoever provides the editor. F2 does nothing until then.
    static void SetEditorTraducciones(std::function<void(QWidget &ventana, int columna)> editor);
    // Opens the view of the machine parameters (Ctrl+F3 on screens).
    static void SetVistaParametros(std::function<void()> vista);
    // Told after capture mode was switched on or off (the main window shows it in its caption).
    static void SetAlCambiarCaptura(std::function<void()> aviso);

    // Applies the catalogue again to every open window, the most recently created first.
    static void TraducirTodas();

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void CrearAtajos();
    static void CambiarCaptura(bool activa);
    void AbrirManual();
    void EditarTraducciones();

    QWidget &m_ventana;
    std::function<QWidget *()> m_aTraducir;
    TTipo m_tipo;
    bool m_preparada = false;
    bool m_conAtajos = false;
};
