#include "core/i18n/ULenguaje.h"

#include "core/common/AppError.h"
#include "core/common/EscrituraSegura.h"
#include "core/common/TextEncoding.h"
#include "core/i18n/LineaCatalogo.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace {

TLenguaje *g_lenguaje = nullptr;

const QStringList kCodigosIdioma = {QStringLiteral("ES"), QStringLiteral("PT"), QStringLiteral("FR"),
                                    QStringLiteral("EN"), QStringLiteral("IT")};

bool MenorSinMayusculas(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

// The language index of a preference text, or -1 when it names none.
int IndiceIdioma(const QString &idioma)
{
    bool ok = false;
    const int indice = idioma.trimmed().toInt(&ok);
    return ok && indice >= 0 && indice < LineaCatalogo::kIdiomas ? indice : -1;
}

// The catalogue lines of a file (those with a "="); none when it cannot be read.
QStringList LineasDelFichero(const QString &ruta)
{
    QFile fichero(ruta);
    if (!fichero.open(QIODevice::ReadOnly))
        return {};
    QString texto = TextEncoding::decodeUtf8OrWindows1252(fichero.readAll());
    if (texto.startsWith(QChar(0xFEFF)))
        texto.remove(0, 1);
    texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    texto.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lineas;
    for (const QString &linea : texto.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (linea.contains(QLatin1Char('=')))
            lineas << linea;
    }
    return lineas;
}

} // namespace

TLenguaje::TLenguaje(QString fichero, const QString &catalogoInstalado)
    : m_fichero(std::move(fichero))
{
    Q_ASSERT_X(!g_lenguaje, "TLenguaje", "one catalogue per process");
    for (const QString &linea : LineasDelFichero(m_fichero))
        Agregar(linea);
    if (!catalogoInstalado.isEmpty())
        Completar(LineasDelFichero(catalogoInstalado));
    g_lenguaje = this;
}

TLenguaje::~TLenguaje()
{
    if (g_lenguaje == this)
        g_lenguaje = nullptr;
}

void TLenguaje::Completar(const QStringList &lineas)
{
    IndexarSiHaceFalta();
    const QHash<QString, qsizetype> propias = m_indice;
    for (const QString &linea : lineas) {
        if (!propias.contains(LineaCatalogo::Clave(linea).toCaseFolded()) && Agregar(linea))
            m_lineasInstaladas.insert(linea);
    }
}

void TLenguaje::SetIdioma(int idioma)
{
    m_idioma = idioma >= 0 && idioma < LineaCatalogo::kIdiomas ? idioma : 0;
}

void TLenguaje::SetIdioma(const QString &idioma)
{
    SetIdioma(IndiceIdioma(idioma));
}

void TLenguaje::IndexarSiHaceFalta() const
{
    if (m_indiceValido)
        return;
    m_indice.clear();
    for (qsizetype i = 0; i < m_lineas.size(); ++i) {
        const QString clave = LineaCatalogo::Clave(m_lineas.at(i)).toCaseFolded();
        if (!m_indice.contains(clave)) // the first line of a key in list order wins
            m_indice.insert(clave, i);
    }
    m_indiceValido = true;
}

QString TLenguaje::Traducir(const QString &clave, const QString &porDefecto) const
{
    IndexarSiHaceFalta();
    const auto linea = m_indice.constFind(clave.toCaseFolded());
    if (linea == m_indice.cend())
        return porDefecto;
    const QString texto = LineaCatalogo::TextoDeIdioma(m_lineas.at(*linea), m_idioma);
    return texto.isEmpty() ? porDefecto : texto;
}

QList<TLenguaje::TTextoVentana> TLenguaje::TextosDeVentana(const QString &formulario) const
{
    QList<TTextoVentana> textos;
    for (const QString &linea : m_lineas) {
        const auto clave = LineaCatalogo::ClaveDeVentana(LineaCatalogo::Clave(linea));
        if (!clave || clave->Formulario != formulario)
            continue;
        textos.append({clave->Componente, clave->Propiedad, LineaCatalogo::TextoDeIdioma(linea, m_idioma)});
    }
    return textos;
}

bool TLenguaje::ExisteClave(const QString &clave) const
{
    return std::any_of(m_lineas.cbegin(), m_lineas.cend(),
                       [&clave](const QString &linea) { return LineaCatalogo::Clave(linea) == clave; });
}

bool TLenguaje::Agregar(const QString &linea)
{
    const auto sitio = std::lower_bound(m_lineas.begin(), m_lineas.end(), linea, MenorSinMayusculas);
    if (sitio != m_lineas.end() && QString::compare(*sitio, linea, Qt::CaseInsensitive) == 0)
        return false;
    m_lineas.insert(sitio, linea);
    m_indiceValido = false;
    return true;
}

bool TLenguaje::AgregarCaptura(const QString &clave, const QString &texto)
{
    if (!LineaCatalogo::ClaveValida(clave))
        return false;
    return Agregar(LineaCatalogo::Componer(clave, {texto}));
}

void TLenguaje::CapturarTexto(const QString &clave, const QString &texto)
{
    if (!m_modoCaptura || texto.isEmpty() || texto.startsWith(QLatin1Char('-'))
        || texto.startsWith(QLatin1String("   ")) || ExisteClave(clave))
        return;
    if (AgregarCaptura(clave, texto))
        Guardar();
}

void TLenguaje::Vaciar()
{
    m_lineas.clear();
    m_indiceValido = false;
}

void TLenguaje::Guardar() const
{
    QByteArray contenido;
    for (const QString &linea : m_lineas) {
        if (!m_lineasInstaladas.contains(linea))
            contenido += linea.toUtf8() + "\r\n";
    }
    QSaveFile fichero(m_fichero);
    if (!fichero.open(QIODevice::WriteOnly) || fichero.write(contenido) != contenido.size()
        || !ConfirmarEscritura(fichero))
        throw AppError(::Traducir(QStringLiteral("ERR_GUARDAR_TRADUCCIONES"),
                                  QStringLiteral("NO SE PUEDE GUARDAR EL FICHERO DE TRADUCCIONES "))
                       + m_fichero);
}

void TLenguaje::SetModoDesarrollo(bool activo)
{
    m_modoDesarrollo = activo;
    if (!activo)
        m_modoCaptura = false;
}

void TLenguaje::SetModoCaptura(bool activo)
{
    m_modoCaptura = activo && m_modoDesarrollo;
}

TLenguaje &Lenguaje()
{
    Q_ASSERT_X(g_lenguaje, "Lenguaje", "the catalogue is created at start-up");
    return *g_lenguaje;
}

bool ExisteLenguaje()
{
    return g_lenguaje != nullptr;
}

QString Traducir(const QString &clave, const QString &porDefecto)
{
    return g_lenguaje ? g_lenguaje->Traducir(clave, porDefecto) : porDefecto;
}

QString TraducirInforme(const QString &formulario, const QString &componente, const QString &porDefecto)
{
    const QString clave = formulario + QLatin1Char('.') + componente + QStringLiteral(".text");
    if (g_lenguaje)
        g_lenguaje->CapturarTexto(clave, porDefecto);
    return Traducir(clave, porDefecto);
}

QString CodigoIdioma(const QString &idioma)
{
    const int indice = IndiceIdioma(idioma);
    return kCodigosIdioma.at(indice < 0 ? 0 : indice);
}

QString PaisSegunIdioma(const QString &idioma)
{
    constexpr int kItaliano = 4;
    const int indice = IndiceIdioma(idioma);
    return indice < 0 || indice == kItaliano ? QString() : QString::number(indice);
}

QString NombreLocalizado(const QString &base, const QString &extension, const QString &idioma)
{
    if (idioma == QLatin1String("0"))
        return base + extension;
    return base + QLatin1Char('_') + CodigoIdioma(idioma) + extension;
}
