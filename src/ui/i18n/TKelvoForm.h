#pragma once

#include "ui/i18n/TKelvoVentana.h"

#include <QWidget>

// Base of the application's screens: translated by the catalogue before it is first shown,
// logged when shown, with the keys F1 (manual), F2 (translation editor), Ctrl+F3 (machine
// parameters) and, in developer mode, Ctrl+Shift+F12 / F11 (capture on / off). The derived
// screen sets its object name, the form name of its catalogue keys.
class TKelvoForm : public QWidget
{
    Q_OBJECT

public:
    explicit TKelvoForm(QWidget *parent = nullptr);

protected:
    // The window F2 edits; the main window returns the screen shown in its working area.
    virtual QWidget *VentanaATraducir() { return this; }

private:
    TKelvoVentana m_ventana;
};
