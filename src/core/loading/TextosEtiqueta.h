#pragma once

#include <QDate>
#include <QString>

// The small text rules of the blister labels, kept apart so they are tested on their own.
namespace TextosEtiqueta {

// The expiry text of a line without a lot ("12/2500"), printed as seven asterisks.
inline const QString kCaducidadSinStock = QStringLiteral("12/2500");
inline const QString kCaducidadSinStockImpresa = QStringLiteral("*******");

// Fractions of a dose text as signs: ",50" and ",5" as "½", ",25" as "¼", ",75" as "¾"; then a
// lone leading zero before a sign is dropped ("0½" becomes "½", "10½" stays).
QString SignosFraccion(const QString &dosis);

// The name without the fraction prefixes "(1/2) ", "(1/4) ", "(1/3) ".
QString SinPrefijoFraccion(const QString &nombre);

// The portion size a line's name announces with its first five characters: 0.5, 0.25, 0.33, else 1.
double PorcionDelNombre(const QString &nombre);

// The expiry text of a line: its stored text when there is one, else the date as "MM/yyyy".
QString TextoCaducidad(const QString &fcaducidad, const QDate &caducidad);
// The expiry as the legend and the cells print it.
QString CaducidadImpresa(const QString &texto);

// The load's code: the patient in 4 digits, the load number in 3 digits and "0". It only makes
// an EAN-8 bar code while both numbers fit their digits.
QString CodigoCarga(int idPaciente, int refRecarga);
bool CabeEnEan8(const QString &codigo);

// The text cut to `ancho` characters and padded with blanks to `relleno` (a fixed column of a
// label printed in a monospaced font).
QString Columna(const QString &texto, int ancho, int relleno);

} // namespace TextosEtiqueta
