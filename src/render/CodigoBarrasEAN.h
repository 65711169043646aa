#pragma once

#include <QImage>
#include <QString>

// A medication's or a card's EAN code drawn as a small picture for a screen: one pixel per
// module, the bars from the 11th pixel column, the digits under them.
struct TImagenEAN
{
    QImage imagen; // null when the code could not be drawn
    QString error; // the user's message then, already translated
};

// Corrects the check digit first (DigitoControlEAN), then draws the EAN-8 or EAN-13 encoded by
// libzint. A code that is not 8 or 13 digits gives no picture and "LONGITUD DE CODIGO NO VALIDA".
TImagenEAN CodigoBarrasEAN(const QString &codigo);
