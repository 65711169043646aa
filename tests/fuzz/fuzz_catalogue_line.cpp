// Any bytes as catalogue lines: reading keys and language fields, window keys, escaping and
// the sorted catalogue must never crash, and a text written into a line reads back unchanged.

#include "core/i18n/LineaCatalogo.h"
#include "core/i18n/ULenguaje.h"

#include <cstddef>
#include <cstdint>

namespace {

void Verificar(bool condicion)
{
    if (!condicion)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *datos, size_t tamano)
{
    static TLenguaje lenguaje(QStringLiteral("/nonexistent/pastillero.lng"));
    const QString texto
            = QString::fromUtf8(reinterpret_cast<const char *>(datos), static_cast<qsizetype>(tamano));

    Verificar(LineaCatalogo::Desescapar(LineaCatalogo::Escapar(texto)) == texto);
    const QString linea = LineaCatalogo::Componer(QStringLiteral("K"), {QStringLiteral("es"), texto});
    Verificar(linea.count(QLatin1Char('|')) == 8);
    Verificar(LineaCatalogo::TextoDeIdioma(linea, 1) == (texto.isEmpty() ? QStringLiteral("es") : texto));

    lenguaje.Vaciar();
    const QStringList lineas = texto.split(QLatin1Char('\n'));
    for (const QString &l : lineas) {
        for (int idioma = 0; idioma < 8; ++idioma)
            LineaCatalogo::TextoDeIdioma(l, idioma);
        LineaCatalogo::ClaveDeVentana(LineaCatalogo::Clave(l));
        lenguaje.Agregar(l);
    }
    for (int idioma = 0; idioma < LineaCatalogo::kIdiomas; ++idioma) {
        lenguaje.SetIdioma(idioma);
        for (const QString &l : lineas)
            lenguaje.Traducir(LineaCatalogo::Clave(l), QStringLiteral("x"));
        lenguaje.TextosDeVentana(LineaCatalogo::Clave(lineas.constFirst()).section(QLatin1Char('.'), 0, 0));
    }
    lenguaje.SetIdioma(texto);
    CodigoIdioma(texto);
    return 0;
}
