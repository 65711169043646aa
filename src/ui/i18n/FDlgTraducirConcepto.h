#pragma once

#include "core/i18n/EdicionTraducciones.h"
#include "ui/i18n/TKelvoDlgForm.h"

#include <array>
#include <functional>

class QLineEdit;

// "Literales": the five texts of one catalogue line. The Spanish text is read-only when an
// existing line is edited; in column types 2 to 5 only Spanish and the chosen language are shown,
// the language second and with the focus. A new line (`nueva`) also asks its key. "Aceptar" (or
// Enter) hands the texts to `guardar`, which answers the reason they were refused, or nothing.
class TFormFDlgTraducirConcepto : public TKelvoDlgForm
{
    Q_OBJECT

public:
    using Textos = std::array<QString, LineaCatalogo::kIdiomas>;
    using Guardar = std::function<QString(const QString &clave, const Textos &textos)>;

    TFormFDlgTraducirConcepto(const TFilaTraduccion &fila, int columna, bool nueva, Guardar guardar,
                              QWidget *parent = nullptr);

    void btnAceptarClick();

private:
    Guardar m_guardar;
    QLineEdit *m_edtClave;
    std::array<QLineEdit *, LineaCatalogo::kIdiomas> m_edtTextos;
};
