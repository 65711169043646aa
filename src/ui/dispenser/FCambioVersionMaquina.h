#pragma once

#include "ui/i18n/TKelvoDlgForm.h"

#include <functional>

class QLabel;

// The guided change of an old machine's software to 2.0 ("CONFIRMACIONES"): the installed
// version and the warning to leave the machine waiting for a load; "CONTINUAR" (Enter) runs
// the steps with their progress window, "CANCELAR" (Esc) leaves. Accepted when the machine
// ended on 2.0.
class TFormCambioVersionMaquina : public TKelvoDlgForm
{
    Q_OBJECT

public:
    // `pasos` runs the steps and tells whether they all ended well.
    TFormCambioVersionMaquina(const QString &texto, std::function<bool()> pasos, QWidget *parent = nullptr);

private:
    void Continuar();

    std::function<bool()> m_pasos;
};
