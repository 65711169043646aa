#pragma once

#include "core/i18n/LineaCatalogo.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

class TLenguaje;

// One catalogue line as the translation editor shows it: the screen it belongs to (the key up
// to its first "."; "Literal" for the message keys), the whole key and the five texts.
struct TFilaTraduccion
{
    QString Codigo;
    QString Campo;
    std::array<QString, LineaCatalogo::kIdiomas> Textos;
};

// The translation editor's working copy of the catalogue: the rows, the screens they belong to,
// which rows are shown (the screen chosen, "Sin Traduccion", a search) and the edits, which reach
// the catalogue and its file only when saved.
//
// The column type is the language index + 1: 1 (Spanish) edits every language; 2 to 5 show the
// Spanish text beside one language (2 Portuguese, 3 French, 4 English, 5 Italian).
class TEdicionTraducciones
{
public:
    static inline const QString kLiteral = QStringLiteral("Literal");

    TEdicionTraducciones(const QStringList &lineas, int columna);

    int Columna() const { return m_columna; }
    // The language shown beside Spanish; 0 for type 1.
    int IdiomaElegido() const { return m_columna - 1; }
    const QList<TFilaTraduccion> &Filas() const { return m_filas; }
    // Each screen once, sorted.
    QStringList Pantallas() const;

    // The screen's rows only; the base filter.
    void FiltrarPantalla(const QString &codigo);
    // Every row; no base filter.
    void VerTodos();
    // Narrows the base filter to the rows lacking a translation: any language in type 1, the
    // chosen language in types 2 to 5.
    void SinTraduccion();
    // The rows whose text in language `idioma` matches `texto` as the user typed it: "%" stands
    // for any text; without one the text is a prefix. Letter case aside. Replaces the previous
    // search and never changes the base filter; an empty text removes it.
    void Buscar(int idioma, const QString &texto);
    // The indexes in Filas() of the rows that pass the base filter and the search, in order.
    QList<int> Visibles() const;

    // Why a text cannot be stored ("|" and line breaks would break the catalogue line apart);
    // empty when it can.
    static QString ErrorTexto(const QString &texto);
    static QString ErrorTextos(const std::array<QString, LineaCatalogo::kIdiomas> &textos);
    static QString ErrorClave(const QString &clave);
    // Replaces the texts of a row; the error message, nothing stored, when a text is refused.
    QString Modificar(int fila, const std::array<QString, LineaCatalogo::kIdiomas> &textos);
    // Adds a row for a new key; refused when the key is not valid or already in the list (letter
    // case aside, as Traducir finds keys). Returns the error message or empty.
    QString Agregar(const QString &clave, const std::array<QString, LineaCatalogo::kIdiomas> &textos);

    // The catalogue lines of the rows: key, the five texts and four empty fields.
    QStringList Lineas() const;
    // Replaces the catalogue's lines with the rows and writes its file at once; throws AppError
    // when the file cannot be written (the old file is then left as it was).
    void Guardar(TLenguaje &lenguaje) const;

private:
    using Condicion = std::function<bool(const TFilaTraduccion &)>;

    int m_columna;
    QList<TFilaTraduccion> m_filas;
    QList<Condicion> m_base;
    Condicion m_busqueda;
};
