#include "core/i18n/LineaCatalogo.h"

#include <algorithm>

namespace {

const QChar kIgual = QLatin1Char('=');
const QChar kBarra = QLatin1Char('|');
// Fields read from a value; pieces after the eighth are ignored.
constexpr int kCamposLeidos = 8;
constexpr int kBarrasEscritas = 8;

struct TEscape
{
    QChar caracter;
    QLatin1String secuencia;
};
const TEscape kEscapes[] = {{QLatin1Char('|'), QLatin1String("&#124;")},
                            {QLatin1Char('\r'), QLatin1String("&#13;")},
                            {QLatin1Char('\n'), QLatin1String("&#10;")},
                            {QLatin1Char('&'), QLatin1String("&#38;")}};

QString Campo(const QString &linea, int indice)
{
    const qsizetype igual = linea.indexOf(kIgual);
    if (igual < 0 || indice < 0 || indice >= kCamposLeidos)
        return {};
    const QStringView valor = QStringView(linea).mid(igual + 1);
    qsizetype desde = 0;
    for (int campo = 0; campo < indice; ++campo) {
        desde = valor.indexOf(kBarra, desde);
        if (desde < 0)
            return {};
        ++desde;
    }
    const qsizetype hasta = valor.indexOf(kBarra, desde);
    return LineaCatalogo::Desescapar(valor.mid(desde, hasta < 0 ? -1 : hasta - desde).toString());
}

} // namespace

namespace LineaCatalogo {

QString Clave(const QString &linea)
{
    const qsizetype igual = linea.indexOf(kIgual);
    return igual < 0 ? QString() : linea.left(igual);
}

QString TextoDeIdioma(const QString &linea, int idioma)
{
    const QString texto = Campo(linea, idioma);
    return texto.isEmpty() ? Campo(linea, 0) : texto;
}

QString Componer(const QString &clave, const QStringList &textos)
{
    QStringList escapados;
    for (const QString &texto : textos)
        escapados << Escapar(texto);
    const qsizetype barras = std::max<qsizetype>(0, kBarrasEscritas - (escapados.size() - 1));
    return clave + kIgual + escapados.join(kBarra) + QString(barras, kBarra);
}

bool ClaveValida(const QString &clave)
{
    return !clave.isEmpty() && !clave.contains(kIgual) && !clave.contains(kBarra)
            && !clave.contains(QLatin1Char('\r')) && !clave.contains(QLatin1Char('\n'));
}

QString Escapar(const QString &texto)
{
    QString escapado;
    escapado.reserve(texto.size());
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto.at(i);
        const bool ampersandDeEscape
                = c == QLatin1Char('&') && i + 1 < texto.size() && texto.at(i + 1) == QLatin1Char('#');
        if (c == QLatin1Char('&') && !ampersandDeEscape) {
            escapado += c;
            continue;
        }
        const auto escape = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                         [c](const TEscape &e) { return e.caracter == c; });
        if (escape != std::end(kEscapes))
            escapado += escape->secuencia;
        else
            escapado += c;
    }
    return escapado;
}

QString Desescapar(const QString &texto)
{
    if (!texto.contains(QLatin1String("&#")))
        return texto;
    QString claro;
    claro.reserve(texto.size());
    for (qsizetype i = 0; i < texto.size();) {
        const QStringView resto = QStringView(texto).mid(i);
        const auto escape = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                         [resto](const TEscape &e) { return resto.startsWith(e.secuencia); });
        if (escape != std::end(kEscapes)) {
            claro += escape->caracter;
            i += escape->secuencia.size();
        } else {
            claro += texto.at(i++);
        }
    }
    return claro;
}

std::optional<TClaveVentana> ClaveDeVentana(const QString &clave)
{
    const QStringList partes = clave.split(QLatin1Char('.'));
    if (partes.size() == 2 && !partes.at(0).isEmpty() && !partes.at(1).isEmpty())
        return TClaveVentana {partes.at(0), partes.at(0), partes.at(1)};
    if (partes.size() == 3 && !partes.at(0).isEmpty() && !partes.at(1).isEmpty() && !partes.at(2).isEmpty())
        return TClaveVentana {partes.at(0), partes.at(1), partes.at(2)};
    return std::nullopt;
}

} // namespace LineaCatalogo
