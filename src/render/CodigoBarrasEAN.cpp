#include "render/CodigoBarrasEAN.h"

#include "core/i18n/ULenguaje.h"
#include "core/medication/uEAN.h"
#include "render/BarcodeSymbol.h"

#include <QFont>
#include <QPainter>

namespace {

constexpr int kAnchoMinimo = 100;
constexpr int kAlto = 75;
constexpr int kPrimeraBarra = 11;
constexpr int kQuietZoneDerecha = 7; // a scanner needs blank modules after the end guard
constexpr int kArribaBarras = 10;
constexpr int kAbajoBarras = 50;
constexpr int kAbajoGuardas = 55;
constexpr int kArribaTexto = 50;

// Modules of the start, centre and end guards, which are drawn longer than the data bars.
bool EsGuarda(int modulo, bool ean13)
{
    const int centro = ean13 ? 45 : 31;
    const int fin = ean13 ? 92 : 64;
    return modulo < 3 || (modulo >= centro && modulo < centro + 5) || modulo >= fin;
}

void DibujarDigitos(QPainter &pintor, const QString &digitos, bool ean13)
{
    QFont letra(QStringLiteral("DejaVu Sans"));
    letra.setPixelSize(10);
    pintor.setFont(letra);
    pintor.setPen(Qt::black);
    const auto texto = [&](int x, const QString &parte) {
        pintor.drawText(QRect(x, kArribaTexto, kAnchoMinimo, kAlto - kArribaTexto),
                        Qt::AlignLeft | Qt::AlignTop, parte);
    };
    if (ean13) {
        texto(3, digitos.left(1));
        texto(17, digitos.mid(1, 6));
        texto(63, digitos.mid(7, 6));
    } else {
        texto(16, digitos.left(4));
        texto(48, digitos.mid(4, 4));
    }
}

} // namespace

TImagenEAN CodigoBarrasEAN(const QString &codigo)
{
    QString corregido = codigo;
    DigitoControlEAN(corregido);
    const bool ean13 = corregido.size() == 13;
    const BarcodeSymbol simbolo = (ean13 || corregido.size() == 8)
            ? BarcodeSymbol::encode(ean13 ? BarcodeType::Ean13 : BarcodeType::Ean8, corregido)
            : BarcodeSymbol();
    if (simbolo.bars().isEmpty() || !simbolo.isValid())
        return {QImage(),
                Traducir(QStringLiteral("ERR_LONGITUD_CODIGO_EAN"),
                         QStringLiteral("LONGITUD DE CODIGO NO VALIDA"))};

    // libzint measures in modules from the left quiet zone; the picture puts the first bar at
    // a fixed column and is widened when an EAN-13 would not fit (the end guard must show).
    double modulo = simbolo.bars().first().width();
    for (const QRectF &barra : simbolo.bars())
        modulo = qMin(modulo, barra.width()); // the guards' bars are one module wide
    const double primera = simbolo.bars().first().left();
    const int modulos = qRound((simbolo.bars().last().right() - primera) / modulo);
    QImage imagen(qMax(kAnchoMinimo, kPrimeraBarra + modulos + kQuietZoneDerecha), kAlto,
                  QImage::Format_RGB32);
    imagen.fill(Qt::white);
    QPainter pintor(&imagen);
    for (const QRectF &barra : simbolo.bars()) {
        const int desde = qRound((barra.left() - primera) / modulo);
        const int abajo = EsGuarda(desde, ean13) ? kAbajoGuardas : kAbajoBarras;
        pintor.fillRect(QRect(kPrimeraBarra + desde, kArribaBarras, qRound(barra.width() / modulo),
                              abajo - kArribaBarras),
                        Qt::black);
    }
    DibujarDigitos(pintor, corregido, ean13);
    return {imagen, QString()};
}
