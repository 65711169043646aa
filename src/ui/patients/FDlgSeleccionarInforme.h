#pragma once

#include "ui/i18n/TKelvoDlgForm.h"

class QRadioButton;

// The choice of history report: the changes between versions (chosen on opening) or the usage of
// each medication over time.
class TDlgSeleccionarInforme : public TKelvoDlgForm
{
    Q_OBJECT

public:
    explicit TDlgSeleccionarInforme(QWidget *parent = nullptr);

    bool UsoElegido() const;

private:
    QRadioButton *m_rbCambios;
    QRadioButton *m_rbUso;
};
