#pragma once

#include "core/data/TablasMaestras.h"
#include "ui/i18n/TKelvoDlgForm.h"

#include <optional>

class QLineEdit;

// Creates or edits one entry of a master list: only its description is typed; the code of a new
// entry is given when it is stored and never shown. "ACEPTAR" stores the entry when the
// description passes its checks; otherwise the message is shown and the dialog stays open.
class TDlgTabMaestras : public TKelvoDlgForm
{
    Q_OBJECT

public:
    // A new entry of list `codTab` without `entrada`, else that entry.
    explicit TDlgTabMaestras(int codTab, const std::optional<TEntradaMaestra> &entrada = std::nullopt,
                             QWidget *parent = nullptr);

    void btnAceptarClick();
    // The entry's code: the one stored once accepted.
    int Codigo() const;

private:
    int m_codTab;
    bool m_nuevo;
    QLineEdit *m_edtCodigo;
    QLineEdit *m_edtDescripcion;
};
