#pragma once

#include "core/loading/DialogosCarga.h"
#include "ui/i18n/TKelvoDlgForm.h"

// The manual filling of one portion: the patient, the medication with its appearance and
// portion size, and the blister's 28 cells (days by times of day) with the units to place in
// each. "ACEPTAR" when the cells are filled, "CANCELAR" to abandon the load.
class TDlgBlisterManual : public TKelvoDlgForm
{
    Q_OBJECT

public:
    explicit TDlgBlisterManual(const TBlisterManual &blister, QWidget *parent = nullptr);

    // Shows the dialog modally; true when the user filled the cells.
    static bool Mostrar(const TBlisterManual &blister, QWidget *parent = nullptr);
};
