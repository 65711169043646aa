#pragma once

#include "core/stock/TomasRetornadas.h"
#include "ui/i18n/TKelvoDlgForm.h"

#include <optional>

class QLineEdit;
class QPlainTextEdit;

// "INTRODUCIR TOMA": the reason a returned cell came back and how many units it held. Accepts
// only a whole number of 0 or more units.
class TDlgIntroducirToma : public TKelvoDlgForm
{
    Q_OBJECT

public:
    explicit TDlgIntroducirToma(QWidget *parent = nullptr);

    int Comprimidos() const { return m_comprimidos; }
    QString Comentario() const;

    // The units and the reason typed; nothing when the dialog is cancelled.
    static std::optional<TTomaRetornada> Pedir(QWidget *parent);

private:
    void btnAceptarClick();

    QPlainTextEdit *m_memComentario;
    QLineEdit *m_edtComprimidos;
    int m_comprimidos = 0;
};
