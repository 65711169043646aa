#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

// The translation catalogue: every text the application shows, in Spanish, Portuguese, French,
// English and Italian, kept in pastillero.lng in the application directory (see LineaCatalogo.h
// for the line format). One instance per process, created at start-up before any window.
//
// The lines are kept sorted without regard to case, and a line equal to one already present
// (case aside) is not added, so the list after loading is the same whatever the file's order.
class TLenguaje
{
public:
    // Loads the file when it exists; a missing file gives an empty catalogue. An installed copy
    // also names the catalogue its package ships: its lines complete the user's file with every
    // key the file lacks (a first start, or keys of a newer package), while the lines the user
    // edited keep their texts. Registers the instance as the process's catalogue.
    explicit TLenguaje(QString fichero, const QString &catalogoInstalado = {});
    ~TLenguaje();
    TLenguaje(const TLenguaje &) = delete;
    TLenguaje &operator=(const TLenguaje &) = delete;

    // The language index (0 Spanish, 1 Portuguese, 2 French, 3 English, 4 Italian). Any other
    // number, or a preference text that is not a number, selects Spanish.
    void SetIdioma(int idioma);
    void SetIdioma(const QString &idioma);
    int Idioma() const { return m_idioma; }

    // The text of the current language for a message key (case aside), else the Spanish text of
    // the catalogue, else the default.
    QString Traducir(const QString &clave, const QString &porDefecto) const;

    // A window text addressed by a catalogue line, in the current language.
    struct TTextoVentana
    {
        QString Componente; // equal to the form's name for a property of the form itself
        QString Propiedad;
        QString Texto;
    };
    // The window texts of one form (its name compared exactly), in list order.
    QList<TTextoVentana> TextosDeVentana(const QString &formulario) const;

    // True when a line has exactly this key (case counts).
    bool ExisteClave(const QString &clave) const;
    // Inserts a line at its sorted place; false when an equal line (case aside) is there.
    bool Agregar(const QString &linea);
    // Adds a captured text: the key, the text as the Spanish field and the empty fields.
    bool AgregarCaptura(const QString &clave, const QString &texto);
    // In capture mode, adds a text of a printable report form that has no line yet and writes
    // the file; a text beginning with "-" or three blanks is left out, as on windows.
    void CapturarTexto(const QString &clave, const QString &texto);
    void Vaciar();
    const QStringList &Lineas() const { return m_lineas; }
    const QString &Fichero() const { return m_fichero; }

    // Writes the list to the file, replacing it at once (never half-written); the lines taken
    // unchanged from an installed package's catalogue stay out, so that a newer package's
    // corrections reach every text the user did not edit. Throws AppError when the file cannot
    // be written.
    void Guardar() const;

    // Developer mode comes from the command line; capture mode can be switched only in it.
    void SetModoDesarrollo(bool activo);
    bool ModoDesarrollo() const { return m_modoDesarrollo; }
    void SetModoCaptura(bool activo);
    bool ModoCaptura() const { return m_modoCaptura; }

private:
    void Completar(const QStringList &lineas);
    void IndexarSiHaceFalta() const;

    QString m_fichero;
    QStringList m_lineas;
    int m_idioma = 0;
    bool m_modoDesarrollo = false;
    bool m_modoCaptura = false;
    // First line of each key (case-folded), rebuilt after the list changes.
    mutable QHash<QString, qsizetype> m_indice;
    mutable bool m_indiceValido = false;
    // The lines that came from the installed package's catalogue, as they were there.
    QSet<QString> m_lineasInstaladas;
};

// The process's catalogue; it must exist.
TLenguaje &Lenguaje();
bool ExisteLenguaje();

// The text of the current language for a message key, or the Spanish default. Before the
// catalogue exists (and in tests without one) the default is the text.
QString Traducir(const QString &clave, const QString &porDefecto);

// A caption of a printable report form, by its form line "form.component.text": the text of the
// current language, else the Spanish text of the line, else the default. Capture mode collects
// the line first, as it does for the texts of a window.
QString TraducirInforme(const QString &formulario, const QString &componente, const QString &porDefecto);

// "ES", "PT", "FR", "EN" or "IT" for the decimal text of a language index; "ES" for anything else.
QString CodigoIdioma(const QString &idioma);

// The country that follows from the language when none was chosen: Spain, Portugal, France or
// the United Kingdom for languages 0 to 3; empty (no country) for Italian or anything else.
QString PaisSegunIdioma(const QString &idioma);

// A file that exists per language: base + extension for Spanish ("0"), otherwise base, "_",
// the language code and the extension ("Kelvo_FR.pdf").
QString NombreLocalizado(const QString &base, const QString &extension, const QString &idioma);

// The command-line switch that turns developer mode on.
inline const QString kArgumentoDesarrollo = QStringLiteral("--desarrollo");
