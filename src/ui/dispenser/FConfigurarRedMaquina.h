#pragma once

#include "core/dispenser/ConfiguracionMaquina.h"
#include "ui/i18n/TKelvoDlgForm.h"

class QLineEdit;

// The machine's network settings: mask, gateway and name server, each a dotted address.
// "ACEPTAR" checks them in that order and, at the first that fails, shows its message and puts
// the cursor there; when all pass the dialog closes accepted and `Red()` holds what to send.
class TDlgConfigurarRedMaquina : public TKelvoDlgForm
{
    Q_OBJECT

public:
    explicit TDlgConfigurarRedMaquina(const TRedMaquina &reportada, QWidget *parent = nullptr);

    void btnAceptarClick();
    // The settings to send once accepted.
    const TRedMaquina &Red() const { return m_red; }

private:
    QLineEdit *Campo(TCampoRed campo) const;

    TRedMaquina m_red;
    QLineEdit *m_edtMascara;
    QLineEdit *m_edtGateway;
    QLineEdit *m_edtDNS;
};

// Reads the machine's network settings, lets the user change them and sends them ("CONFIGIP").
// A machine that does not answer, or reports no address of its own, is told as not connected.
void ConfigurarRedMaquina(QWidget *parent = nullptr);
