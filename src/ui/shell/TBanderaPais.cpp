#include "ui/shell/TBanderaPais.h"

#include <QPainter>

namespace {

const QColor kRojoEspana(170, 21, 27);
const QColor kAmarilloEspana(241, 191, 0);
const QColor kVerdePortugal(0, 102, 0);
const QColor kRojoPortugal(255, 0, 0);
const QColor kAzulFrancia(0, 35, 149);
const QColor kRojoFrancia(237, 41, 57);
const QColor kAzulReinoUnido(1, 33, 105);
const QColor kRojoReinoUnido(200, 16, 46);
const QColor kVerdeItalia(0, 146, 70);
const QColor kRojoItalia(206, 43, 55);

// Vertical bands of the given relative widths.
void BandasVerticales(QPainter &pintor, const QRectF &area, const QList<QPair<double, QColor>> &bandas)
{
    double total = 0.0;
    for (const auto &banda : bandas)
        total += banda.first;
    double x = area.left();
    for (const auto &[ancho, color] : bandas) {
        const double w = area.width() * ancho / total;
        pintor.fillRect(QRectF(x, area.top(), w, area.height()), color);
        x += w;
    }
}

void ReinoUnido(QPainter &pintor, const QRectF &area)
{
    pintor.fillRect(area, kAzulReinoUnido);
    const double grueso = area.height() / 5.0;
    pintor.setPen(QPen(Qt::white, grueso));
    pintor.drawLine(area.topLeft(), area.bottomRight());
    pintor.drawLine(area.bottomLeft(), area.topRight());
    pintor.setPen(QPen(kRojoReinoUnido, grueso / 3.0));
    pintor.drawLine(area.topLeft(), area.bottomRight());
    pintor.drawLine(area.bottomLeft(), area.topRight());
    const QPointF centro = area.center();
    pintor.fillRect(QRectF(area.left(), centro.y() - grueso, area.width(), 2 * grueso), Qt::white);
    pintor.fillRect(QRectF(centro.x() - grueso, area.top(), 2 * grueso, area.height()), Qt::white);
    pintor.fillRect(QRectF(area.left(), centro.y() - grueso / 2, area.width(), grueso), kRojoReinoUnido);
    pintor.fillRect(QRectF(centro.x() - grueso / 2, area.top(), grueso, area.height()), kRojoReinoUnido);
}

} // namespace

TBanderaPais::TBanderaPais(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("imgBandera"));
    setFixedSize(sizeHint());
    hide();
}

void TBanderaPais::MostrarPais(const QString &pais)
{
    m_pais = pais.trimmed();
    static const QStringList kConBandera {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                                          QStringLiteral("3"), QStringLiteral("4")};
    setVisible(kConBandera.contains(m_pais));
    update();
}

void TBanderaPais::paintEvent(QPaintEvent *)
{
    QPainter pintor(this);
    pintor.setRenderHint(QPainter::Antialiasing);
    const QRectF area = rect();
    switch (m_pais.toInt()) {
    case 0: // Spain: red, yellow twice as high, red
        pintor.fillRect(area, kRojoEspana);
        pintor.fillRect(area.adjusted(0, area.height() / 4, 0, -area.height() / 4), kAmarilloEspana);
        break;
    case 1:
        BandasVerticales(pintor, area, {{2.0, kVerdePortugal}, {3.0, kRojoPortugal}});
        break;
    case 2:
        BandasVerticales(pintor, area, {{1.0, kAzulFrancia}, {1.0, Qt::white}, {1.0, kRojoFrancia}});
        break;
    case 3:
        ReinoUnido(pintor, area);
        break;
    case 4:
        BandasVerticales(pintor, area, {{1.0, kVerdeItalia}, {1.0, Qt::white}, {1.0, kRojoItalia}});
        break;
    default:
        break;
    }
    pintor.setPen(QPen(Qt::darkGray, 1.0));
    pintor.drawRect(area.adjusted(0.5, 0.5, -0.5, -0.5));
}
