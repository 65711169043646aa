// Guards the catalogue delivered with the application: every message key that the code uses
// must be there with a text in each of the five languages.

#include "core/common/TextEncoding.h"
#include "core/i18n/LineaCatalogo.h"
#include "core/i18n/ULenguaje.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

const QString kCatalogo = QStringLiteral(PASTILLERO_SOURCE_DIR "/translations/pastillero.lng");
const QString kFuentes = QStringLiteral(PASTILLERO_SOURCE_DIR "/src");

QByteArray Leer(const QString &ruta)
{
    QFile fichero(ruta);
    if (!fichero.open(QIODevice::ReadOnly))
        return {};
    return fichero.readAll();
}

// Every text literal of the sources that has the form of a message key, with the file it is in.
QMap<QString, QString> ClavesDelCodigo()
{
    static const QRegularExpression clave(
            QStringLiteral("\"((?:STR|ERR|WRN|MSG|QST|CAPTION|NIP)_[A-Z0-9_]+)\""));
    QMap<QString, QString> claves;
    QDirIterator it(kFuentes, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString ruta = it.next();
        const QString texto = QString::fromUtf8(Leer(ruta));
        for (const QRegularExpressionMatch &m : clave.globalMatch(texto))
            claves.insert(m.captured(1), ruta.mid(kFuentes.size() + 1));
    }
    return claves;
}

// The five language fields of a line (escapes resolved), without falling back to Spanish.
QStringList Idiomas(const QString &linea)
{
    const QStringList campos = linea.mid(linea.indexOf(QLatin1Char('=')) + 1).split(QLatin1Char('|'));
    QStringList textos;
    for (int idioma = 0; idioma < LineaCatalogo::kIdiomas; ++idioma)
        textos << LineaCatalogo::Desescapar(campos.value(idioma));
    return textos;
}

} // namespace

class TestShippedCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void cadaClaveDelCodigoEstaEnLosCincoIdiomas();
    void cadaLineaTieneElFormatoEscrito();
    void elFicheroEstaOrdenadoYSinDuplicados();
};

void TestShippedCatalogue::cadaClaveDelCodigoEstaEnLosCincoIdiomas()
{
    const QMap<QString, QString> claves = ClavesDelCodigo();
    QVERIFY2(!claves.isEmpty(), "no message key found in the sources");
    const TLenguaje catalogo(kCatalogo);
    QHash<QString, QString> lineas;
    for (const QString &linea : catalogo.Lineas())
        lineas.insert(LineaCatalogo::Clave(linea).toUpper(), linea);

    QStringList faltan;
    for (auto it = claves.cbegin(); it != claves.cend(); ++it) {
        const QString linea = lineas.value(it.key());
        if (linea.isEmpty()) {
            faltan << it.key() + QStringLiteral(" (") + it.value()
                            + QStringLiteral("): not in the catalogue");
            continue;
        }
        const QStringList textos = Idiomas(linea);
        for (int idioma = 0; idioma < LineaCatalogo::kIdiomas; ++idioma) {
            if (textos.at(idioma).trimmed().isEmpty())
                faltan << it.key() + QStringLiteral(": no text for language ")
                                + CodigoIdioma(QString::number(idioma));
        }
    }
    QVERIFY2(faltan.isEmpty(), qPrintable(faltan.join(QLatin1Char('\n'))));
}

void TestShippedCatalogue::cadaLineaTieneElFormatoEscrito()
{
    const QByteArray bytes = Leer(kCatalogo);
    QVERIFY(!bytes.isEmpty());
    QVERIFY2(TextEncoding::isValidUtf8(bytes), "the catalogue is written in UTF-8");
    QVERIFY2(bytes.endsWith("\r\n"), "lines end with CR LF");
    const QStringList lineas = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (const QString &linea : lineas) {
        QVERIFY2(!linea.contains(QLatin1Char('\n')) && !linea.contains(QLatin1Char('\r')), qPrintable(linea));
        QVERIFY2(LineaCatalogo::ClaveValida(LineaCatalogo::Clave(linea)), qPrintable(linea));
        QVERIFY2(linea.count(QLatin1Char('|')) == 8, qPrintable(linea));
    }
}

void TestShippedCatalogue::elFicheroEstaOrdenadoYSinDuplicados()
{
    const QStringList enFichero
            = QString::fromUtf8(Leer(kCatalogo)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    const TLenguaje catalogo(kCatalogo);
    QCOMPARE(catalogo.Lineas(), enFichero);
    QSet<QString> claves;
    for (const QString &linea : enFichero) {
        const QString clave = LineaCatalogo::Clave(linea).toUpper();
        QVERIFY2(!claves.contains(clave), qPrintable(QStringLiteral("two lines for ") + clave));
        claves.insert(clave);
    }
}

QTEST_GUILESS_MAIN(TestShippedCatalogue)
#include "test_shipped_catalogue.moc"
