#include "core/reports/ReportFile.h"

#include "core/i18n/ULenguaje.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QFile>

namespace {

const QByteArray kMagic = QByteArrayLiteral("PASTILLERO REPORT\0");
constexpr qsizetype kHashSize = 32;
constexpr qsizetype kHeaderSize = 18 + 2 + 8 + kHashSize;
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_4;
constexpr double kLargestPaperMm = 2000.0;
constexpr double kLargestPointSize = 500.0;

QString notAReport()
{
    return Traducir(QStringLiteral("ERR_INFORME_NO_VALIDO"),
                    QStringLiteral("EL ARCHIVO NO ES UN INFORME GUARDADO POR ESTA APLICACIÓN"));
}

QString truncatedReport()
{
    return Traducir(QStringLiteral("ERR_INFORME_TRUNCADO"),
                    QStringLiteral("EL ARCHIVO DEL INFORME ESTÁ INCOMPLETO"));
}

QString damagedReport()
{
    return Traducir(QStringLiteral("ERR_INFORME_DANADO"),
                    QStringLiteral("EL ARCHIVO DEL INFORME ESTÁ DAÑADO"));
}

void writeFont(QDataStream &out, const ReportFont &font)
{
    out << font.family << font.pointSize << font.bold << font.italic;
}

void writeElement(QDataStream &out, const ReportElement &element)
{
    out << qint32(element.kind) << element.rect << element.text;
    writeFont(out, element.font);
    out << qint32(element.alignment.toInt()) << element.wordWrap << element.image << qint32(element.barcode)
        << element.barcodeShowsText << element.penWidth << element.fitToBox;
}

void writeBand(QDataStream &out, const ReportBand &band)
{
    out << qint32(band.kind) << band.height << band.newPageBefore << band.keepWithNext
        << quint32(band.elements.size());
    for (const ReportElement &element : band.elements)
        writeElement(out, element);
}

// Reads the contents back, refusing values no saved report holds. Counts are checked against
// the bytes left so that a crafted count cannot make the reader allocate without bound.
class ContentReader
{
public:
    ContentReader(const QByteArray &contents, quint16 version)
        : m_contents(contents)
        , m_in(contents)
        , m_version(version)
    {
        m_in.setVersion(kStreamVersion);
    }

    std::optional<TReportDocument> read()
    {
        TReportDocument document;
        m_in >> document.title >> document.page.paperSize >> document.page.landscape >> document.page.margins;
        const quint32 bandCount = readCount();
        for (quint32 i = 0; i < bandCount && m_valid; ++i)
            document.bands.append(readBand());
        if (!m_valid || m_in.status() != QDataStream::Ok || !m_in.atEnd())
            return std::nullopt;
        if (!isPrintable(document.page))
            return std::nullopt;
        return document;
    }

private:
    // A sheet the preview can draw: no empty or absurd paper (a crafted size would make the
    // preview allocate without bound), margins inside the sheet.
    static bool isPrintable(const ReportPageSetup &page)
    {
        const auto inRange = [](double value, double most) { return value >= 0.0 && value <= most; };
        const QSizeF size = page.paperSize;
        const QMarginsF margins = page.margins;
        return size.width() >= 1.0 && size.height() >= 1.0 && inRange(size.width(), kLargestPaperMm)
                && inRange(size.height(), kLargestPaperMm) && inRange(margins.left(), size.width())
                && inRange(margins.right(), size.width()) && inRange(margins.top(), size.height())
                && inRange(margins.bottom(), size.height());
    }

    quint32 readCount()
    {
        quint32 count = 0;
        m_in >> count;
        const qint64 left = m_contents.size() - m_in.device()->pos();
        if (qint64(count) > left)
            m_valid = false;
        return m_valid ? count : 0;
    }

    template<typename Enum> Enum readEnum(int last)
    {
        qint32 value = 0;
        m_in >> value;
        if (value < 0 || value > last)
            m_valid = false;
        return Enum(value);
    }

    ReportBand readBand()
    {
        ReportBand band;
        band.kind = readEnum<ReportBand::Kind>(int(ReportBand::Kind::PageFooter));
        m_in >> band.height >> band.newPageBefore >> band.keepWithNext;
        const quint32 count = readCount();
        for (quint32 i = 0; i < count && m_valid; ++i)
            band.elements.append(readElement());
        return band;
    }

    ReportElement readElement()
    {
        ReportElement element;
        element.kind = readEnum<ReportElement::Kind>(int(ReportElement::Kind::Box));
        m_in >> element.rect >> element.text;
        m_in >> element.font.family >> element.font.pointSize >> element.font.bold >> element.font.italic;
        if (!(element.font.pointSize > 0.0 && element.font.pointSize <= kLargestPointSize))
            m_valid = false;
        qint32 alignment = 0;
        m_in >> alignment >> element.wordWrap >> element.image;
        element.alignment = Qt::Alignment::fromInt(alignment);
        element.barcode = readEnum<BarcodeType>(int(BarcodeType::Code128));
        m_in >> element.barcodeShowsText >> element.penWidth;
        // Texts fitted to their boxes came with version 2; older reports have none.
        if (m_version >= 2)
            m_in >> element.fitToBox;
        return element;
    }

    const QByteArray &m_contents;
    QDataStream m_in;
    quint16 m_version;
    bool m_valid = true;
};

} // namespace

QByteArray TReportFile::encode(const TReportDocument &document)
{
    QByteArray contents;
    {
        QDataStream out(&contents, QIODevice::WriteOnly);
        out.setVersion(kStreamVersion);
        out << document.title << document.page.paperSize << document.page.landscape << document.page.margins
            << quint32(document.bands.size());
        for (const ReportBand &band : document.bands)
            writeBand(out, band);
    }
    QByteArray bytes = kMagic;
    QDataStream header(&bytes, QIODevice::Append);
    header.setVersion(kStreamVersion);
    header << kVersion << quint64(contents.size());
    bytes += QCryptographicHash::hash(contents, QCryptographicHash::Sha256);
    bytes += contents;
    return bytes;
}

TReportFile::Opened TReportFile::decode(const QByteArray &bytes)
{
    if (!bytes.startsWith(kMagic)) {
        // A file cut inside the marker itself is as foreign as any other: nothing identifies it.
        return {std::nullopt, notAReport()};
    }
    if (bytes.size() < kHeaderSize)
        return {std::nullopt, truncatedReport()};

    QDataStream header(bytes.mid(kMagic.size(), 2 + 8));
    header.setVersion(kStreamVersion);
    quint16 version = 0;
    quint64 length = 0;
    header >> version >> length;
    if (version == 0)
        return {std::nullopt, damagedReport()};
    if (version > kVersion) {
        return {std::nullopt,
                Traducir(QStringLiteral("ERR_INFORME_VERSION"),
                         QStringLiteral("EL INFORME FUE GUARDADO POR UNA VERSIÓN MÁS RECIENTE "
                                        "DE LA APLICACIÓN"))};
    }
    const quint64 available = quint64(bytes.size() - kHeaderSize);
    if (length > available)
        return {std::nullopt, truncatedReport()};
    if (length < available)
        return {std::nullopt, damagedReport()};

    const QByteArray hash = bytes.mid(kMagic.size() + 2 + 8, kHashSize);
    const QByteArray contents = bytes.mid(kHeaderSize);
    if (QCryptographicHash::hash(contents, QCryptographicHash::Sha256) != hash)
        return {std::nullopt, damagedReport()};

    std::optional<TReportDocument> document = ContentReader(contents, version).read();
    if (!document)
        return {std::nullopt, damagedReport()};
    return {document, {}};
}

ReportIoResult TReportFile::save(const TReportDocument &document, const QString &path)
{
    return writeFileAtomically(path, encode(document));
}

TReportFile::Opened TReportFile::open(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {std::nullopt,
                Traducir(QStringLiteral("ERR_INFORME_NO_ABRE"),
                         QStringLiteral("NO SE PUEDE ABRIR EL ARCHIVO DEL INFORME: "))
                        + path};
    }
    // Look at the marker before reading the whole file: a large foreign file is refused at once.
    if (!file.peek(kMagic.size()).startsWith(kMagic))
        return {std::nullopt, notAReport()};
    return decode(file.readAll());
}
