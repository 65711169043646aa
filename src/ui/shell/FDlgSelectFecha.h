#pragma once

#include "ui/i18n/TKelvoDlgForm.h"

#include <QDate>

#include <optional>

class TCampoFecha;

// Asks for one date: the title and prompt given, the field starting on today's date, a calendar
// button. "ACEPTAR" takes a valid date, or an empty field when empty is allowed; anything else
// is refused with "INTRODUCIR FECHA VALIDA" and the dialog stays open.
class TDlgSelectFecha : public TKelvoDlgForm
{
    Q_OBJECT

public:
    TDlgSelectFecha(const QString &titulo, const QString &pregunta, bool vacioPermitido,
                    QWidget *parent = nullptr);

    // The accepted date; invalid when the field was left empty.
    QDate Fecha() const { return m_fecha; }

    // Opens the dialog; nothing when cancelled, else the date (invalid: left empty).
    static std::optional<QDate> Pedir(const QString &titulo, const QString &pregunta, bool vacioPermitido,
                                      QWidget *parent = nullptr);

private:
    void btnAceptarClick();

    TCampoFecha *m_campo;
    bool m_vacioPermitido;
    QDate m_fecha;
};
