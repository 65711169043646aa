#pragma once

#include <QString>

// What a text typed or scanned into the main screen's search box is, which decides where the
// patient is looked for.
enum class TTipoTextoBusqueda {
    Vacio = 0,
    Digitos = 1, // digits of any length not listed below
    NueveDigitos = 2, // a telephone number
    EAN8 = 3, // a valid EAN-8 code: a patient card
    EAN13 = 4, // a valid EAN-13 code: a medication, never a patient
    DNI = 5, // a valid identity number
    Texto = 6, // anything else
};

// A scanner sends its code followed by a carriage return, a line feed, blanks or other control
// characters; typing may leave blanks around the text. Only what lies between them is the code.
QString LimpiarTextoBusqueda(const QString &texto);

// An identity number as stored: trimmed, upper case, without " ", "-" and "/".
QString DNISinSeparadores(const QString &texto);

// True for a Spanish identity number (with country `pais` "0"): without its separators, eight
// digits and the control letter of their value.
bool EsDNI(const QString &texto, const QString &pais);

// The class of a search text (already cleaned with LimpiarTextoBusqueda).
TTipoTextoBusqueda TipoTextoBusqueda(const QString &texto, const QString &pais);
