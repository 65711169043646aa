#include "render/BarcodeSymbol.h"

#include <zint.h>

#include <memory>

namespace {

struct SymbolDeleter
{
    void operator()(zint_symbol *symbol) const { ZBarcode_Delete(symbol); }
};

bool allDigits(const QString &data)
{
    for (const QChar c : data) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return !data.isEmpty();
}

// libzint picks the EAN variant by length; the length is checked here so that a code meant as
// an EAN-8 never silently becomes another EAN. With the check digit present it is verified.
int zintSymbology(BarcodeType type, const QString &data, QString &error)
{
    switch (type) {
    case BarcodeType::Ean8:
    case BarcodeType::Ean13: {
        const qsizetype digits = type == BarcodeType::Ean8 ? 7 : 12;
        if (!allDigits(data) || (data.size() != digits && data.size() != digits + 1)) {
            error = QStringLiteral("%1 needs %2 or %3 digits")
                            .arg(type == BarcodeType::Ean8 ? QStringLiteral("EAN-8")
                                                           : QStringLiteral("EAN-13"))
                            .arg(digits)
                            .arg(digits + 1);
            return 0;
        }
        return data.size() == digits ? BARCODE_EANX : BARCODE_EANX_CHK;
    }
    case BarcodeType::Code128:
        return BARCODE_CODE128;
    }
    error = QStringLiteral("unknown bar code type");
    return 0;
}

} // namespace

BarcodeSymbol BarcodeSymbol::encode(BarcodeType type, const QString &data)
{
    BarcodeSymbol result;
    const int symbology = zintSymbology(type, data, result.m_error);
    if (symbology == 0) {
        result.m_error = data + QStringLiteral(": ") + result.m_error;
        return result;
    }

    std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
    symbol->symbology = symbology;
    symbol->show_hrt = 0; // the report draws the text itself, in the report's font
    symbol->input_mode = UNICODE_MODE;
    // The blank margins a scanner needs on each side are part of the symbol, so a bar code
    // placed anywhere on a label still reads.
    symbol->output_options |= BARCODE_QUIET_ZONES;
    const QByteArray bytes = data.toUtf8();
    const int status = ZBarcode_Encode_and_Buffer_Vector(
            symbol.get(), reinterpret_cast<const unsigned char *>(bytes.constData()), int(bytes.size()), 0);
    if (status >= ZINT_ERROR) {
        result.m_error = data + QStringLiteral(": ") + QString::fromUtf8(symbol->errtxt);
        return result;
    }

    for (const zint_vector_rect *rect = symbol->vector->rectangles; rect; rect = rect->next)
        result.m_bars.append(QRectF(rect->x, rect->y, rect->width, rect->height));
    if (result.m_bars.isEmpty()) {
        result.m_error = data + QStringLiteral(": no bars");
        return result;
    }
    result.m_extent = QRectF(0, 0, symbol->vector->width, symbol->vector->height);
    result.m_text = QString::fromUtf8(reinterpret_cast<const char *>(symbol->text));
    return result;
}
