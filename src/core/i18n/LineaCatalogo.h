#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// One line of the translation catalogue: a key, "=", and the texts of the languages separated
// by "|": 0 Spanish, 1 Portuguese, 2 French, 3 English, 4 Italian, then unused fields written
// empty, so that every written line has eight "|".
//
// A text holding "|" or a line break would break the line apart; such characters are written
// as "&#124;", "&#13;" and "&#10;" (and a "&" that begins "&#" as "&#38;"), which no text of an
// older catalogue contains, so older files read unchanged.
namespace LineaCatalogo {

inline constexpr int kIdiomas = 5;

// Everything before the first "="; empty when the line has none.
QString Clave(const QString &linea);
// The text of a language (field 0 to 4), else the Spanish field; empty when both are.
QString TextoDeIdioma(const QString &linea, int idioma);
// The line of a key with the given texts (Spanish first), each escaped, padded to eight "|".
QString Componer(const QString &clave, const QStringList &textos);
// A key can be written when it has no "=", "|" or line break.
bool ClaveValida(const QString &clave);

QString Escapar(const QString &texto);
QString Desescapar(const QString &texto);

// A key naming a window text: "form.property" (the form itself) or "form.component.property".
struct TClaveVentana
{
    QString Formulario;
    QString Componente;
    QString Propiedad;
};
// Message keys (without a dot), keys with an empty part or more than three parts give nothing.
std::optional<TClaveVentana> ClaveDeVentana(const QString &clave);

} // namespace LineaCatalogo
