#include "core/i18n/EdicionTraducciones.h"

#include "core/i18n/ULenguaje.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

constexpr int kTiposColumna = 5;

TFilaTraduccion FilaDeLinea(const QString &linea)
{
    TFilaTraduccion fila;
    fila.Campo = LineaCatalogo::Clave(linea);
    const qsizetype punto = fila.Campo.indexOf(QLatin1Char('.'));
    fila.Codigo = punto < 0 ? TEdicionTraducciones::kLiteral : fila.Campo.left(punto);
    const QStringList campos = linea.mid(fila.Campo.size() + 1).split(QLatin1Char('|'));
    for (int idioma = 0; idioma < LineaCatalogo::kIdiomas && idioma < campos.size(); ++idioma)
        fila.Textos.at(idioma) = LineaCatalogo::Desescapar(campos.at(idioma));
    return fila;
}

// "%" stands for any text; the rest is taken literally.
QRegularExpression PatronLike(const QString &texto)
{
    QStringList trozos;
    for (const QString &trozo : texto.split(QLatin1Char('%')))
        trozos << QRegularExpression::escape(trozo);
    return QRegularExpression(QRegularExpression::anchoredPattern(trozos.join(QStringLiteral(".*"))),
                              QRegularExpression::CaseInsensitiveOption
                                      | QRegularExpression::DotMatchesEverythingOption);
}

} // namespace

TEdicionTraducciones::TEdicionTraducciones(const QStringList &lineas, int columna)
    : m_columna(std::clamp(columna, 1, kTiposColumna))
{
    for (const QString &linea : lineas)
        m_filas.append(FilaDeLinea(linea));
}

QStringList TEdicionTraducciones::Pantallas() const
{
    QStringList pantallas;
    for (const TFilaTraduccion &fila : m_filas) {
        if (!pantallas.contains(fila.Codigo))
            pantallas.append(fila.Codigo);
    }
    std::sort(pantallas.begin(), pantallas.end());
    return pantallas;
}

void TEdicionTraducciones::FiltrarPantalla(const QString &codigo)
{
    m_base = {[codigo](const TFilaTraduccion &fila) { return fila.Codigo == codigo; }};
}

void TEdicionTraducciones::VerTodos()
{
    m_base.clear();
}

void TEdicionTraducciones::SinTraduccion()
{
    if (m_columna > 1) {
        const int idioma = IdiomaElegido();
        m_base.append([idioma](const TFilaTraduccion &fila) { return fila.Textos.at(idioma).isEmpty(); });
        return;
    }
    m_base.append([](const TFilaTraduccion &fila) {
        return std::any_of(fila.Textos.cbegin() + 1, fila.Textos.cend(),
                           [](const QString &texto) { return texto.isEmpty(); });
    });
}

void TEdicionTraducciones::Buscar(int idioma, const QString &texto)
{
    if (texto.isEmpty() || idioma < 0 || idioma >= LineaCatalogo::kIdiomas) {
        m_busqueda = nullptr;
        return;
    }
    const QRegularExpression patron
            = PatronLike(texto.contains(QLatin1Char('%')) ? texto : texto + QLatin1Char('%'));
    m_busqueda = [idioma, patron](const TFilaTraduccion &fila) {
        return patron.match(fila.Textos.at(idioma)).hasMatch();
    };
}

QList<int> TEdicionTraducciones::Visibles() const
{
    QList<int> visibles;
    for (int i = 0; i < m_filas.size(); ++i) {
        const TFilaTraduccion &fila = m_filas.at(i);
        const bool pasa = std::all_of(m_base.cbegin(), m_base.cend(),
                                      [&fila](const Condicion &condicion) { return condicion(fila); });
        if (pasa && (!m_busqueda || m_busqueda(fila)))
            visibles.append(i);
    }
    return visibles;
}

QString TEdicionTraducciones::ErrorTexto(const QString &texto)
{
    if (!texto.contains(QLatin1Char('|')) && !texto.contains(QLatin1Char('\r'))
        && !texto.contains(QLatin1Char('\n')))
        return {};
    return Traducir(QStringLiteral("ERR_TRADUCCION_CARACTER_NO_VALIDO"),
                    QStringLiteral("UN TEXTO NO PUEDE CONTENER BARRAS VERTICALES NI SALTOS DE LINEA"));
}

QString TEdicionTraducciones::ErrorClave(const QString &clave)
{
    if (LineaCatalogo::ClaveValida(clave))
        return {};
    return Traducir(
            QStringLiteral("ERR_CLAVE_TRADUCCION_NO_VALIDA"),
            QStringLiteral(
                    "LA CLAVE NO PUEDE ESTAR VACIA NI CONTENER \"=\", BARRAS VERTICALES NI SALTOS DE LINEA"));
}

QString TEdicionTraducciones::ErrorTextos(const std::array<QString, LineaCatalogo::kIdiomas> &textos)
{
    for (const QString &texto : textos) {
        if (QString error = ErrorTexto(texto); !error.isEmpty())
            return error;
    }
    return {};
}

QString TEdicionTraducciones::Modificar(int fila, const std::array<QString, LineaCatalogo::kIdiomas> &textos)
{
    QString error = ErrorTextos(textos);
    if (error.isEmpty())
        m_filas[fila].Textos = textos;
    return error;
}

QString TEdicionTraducciones::Agregar(const QString &clave,
                                      const std::array<QString, LineaCatalogo::kIdiomas> &textos)
{
    if (QString error = ErrorClave(clave); !error.isEmpty())
        return error;
    if (QString error = ErrorTextos(textos); !error.isEmpty())
        return error;
    const bool existe = std::any_of(m_filas.cbegin(), m_filas.cend(), [&clave](const TFilaTraduccion &fila) {
        return QString::compare(fila.Campo, clave, Qt::CaseInsensitive) == 0;
    });
    if (existe)
        return Traducir(QStringLiteral("ERR_CLAVE_TRADUCCION_EXISTE"),
                        QStringLiteral("LA CLAVE YA EXISTE EN EL CATALOGO: "))
                + clave;
    m_filas.append(FilaDeLinea(clave + QLatin1Char('=')));
    m_filas.last().Textos = textos;
    return {};
}

QStringList TEdicionTraducciones::Lineas() const
{
    QStringList lineas;
    for (const TFilaTraduccion &fila : m_filas)
        lineas << LineaCatalogo::Componer(fila.Campo, QStringList(fila.Textos.cbegin(), fila.Textos.cend()));
    return lineas;
}

void TEdicionTraducciones::Guardar(TLenguaje &lenguaje) const
{
    lenguaje.Vaciar();
    for (const QString &linea : Lineas())
        lenguaje.Agregar(linea);
    lenguaje.Guardar();
}
