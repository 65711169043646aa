#pragma once

#include "ui/i18n/TKelvoDlgForm.h"

class QLineEdit;

// "MODIFICAR INVENTARIO": asks for the remaining quantity of a stock row. Accepts only a finite
// number >= 0, typed with "," or "." as the decimal separator.
class TDlgModificarCantidad : public TKelvoDlgForm
{
    Q_OBJECT

public:
    explicit TDlgModificarCantidad(double cantidad, QWidget *parent = nullptr);

    double Cantidad() const { return m_cantidad; }

    // Opens the dialog on the quantity; true, with the new quantity in `cantidad`, when accepted.
    static bool ModificarCantidad(double &cantidad, QWidget *parent = nullptr);

private:
    void btnAceptarClick();
    void edtCantidadEdited(const QString &texto);

    QLineEdit *m_edtCantidad;
    double m_cantidad;
};
