#pragma once

#include "ui/i18n/TKelvoVentana.h"

#include <QDialog>

// Base of the application's dialogs: translated before it is first shown, logged when shown,
// with F2 (translation editor on the dialog itself) and, in developer mode, Ctrl+Shift+F12 /
// F11 (capture on / off). The derived dialog sets its object name.
class TKelvoDlgForm : public QDialog
{
    Q_OBJECT

public:
    explicit TKelvoDlgForm(QWidget *parent = nullptr);

private:
    TKelvoVentana m_ventana;
};
