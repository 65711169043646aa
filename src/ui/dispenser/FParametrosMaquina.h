#pragma once

#include "core/dispenser/ConfiguracionMaquina.h"
#include "ui/i18n/TKelvoDlgForm.h"

class QFormLayout;

// The machine parameters view: versions, serial number, counters, sensors, environment and
// network as the machine reports them, read-only; "EXIT" closes it.
class TDlgParametrosMaquina : public TKelvoDlgForm
{
    Q_OBJECT

public:
    explicit TDlgParametrosMaquina(const TParametrosMaquina &parametros, QWidget *parent = nullptr);

private:
    void Fila(QFormLayout *filas, const char *nombre, const QString &rotulo, const QString &valor);
};

// Asks the connected machine for its parameters and shows them; when no machine answers, the
// access error instead.
void VerParametrosMaquina(QWidget *parent = nullptr);
