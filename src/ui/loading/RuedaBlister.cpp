#include "ui/loading/RuedaBlister.h"

#include "core/dosing/NombresSemana.h"
#include "core/dosing/UDispenserTypes.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

constexpr int kDias = kCeldasSemana / kTomasDia;
constexpr double kGradosDia = 360.0 / kDias;
constexpr double kMargenNombres = 34.0; // room around the wheel for the days' names
constexpr double kProporcionInterior = 0.28;

const QColor kMarcada(Qt::red);
const QColor kBorde(90, 90, 90);

// Qt counts angles counterclockwise from three o'clock; the wheel clockwise from twelve.
double AnguloQt(double desdeArriba)
{
    return 90.0 - desdeArriba;
}

QPointF Polar(const QPointF &centro, double radio, double desdeArriba)
{
    const double radianes = qDegreesToRadians(AnguloQt(desdeArriba));
    return centro + QPointF(radio * std::cos(radianes), -radio * std::sin(radianes));
}

} // namespace

TRuedaBlister::TRuedaBlister(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TRuedaBlister::AsignarTextos(const QStringList &textos)
{
    m_textos = textos;
    update();
}

void TRuedaBlister::Marcar(int celda)
{
    m_marcada = celda;
    update();
}

TRuedaBlister::TGeometria TRuedaBlister::Geometria() const
{
    TGeometria g;
    g.centro = QRectF(rect()).center();
    g.exterior = qMax(10.0, qMin(width(), height()) / 2.0 - kMargenNombres);
    g.interior = g.exterior * kProporcionInterior;
    g.anillo = (g.exterior - g.interior) / kTomasDia;
    return g;
}

int TRuedaBlister::CeldaEn(const QPointF &punto) const
{
    const TGeometria g = Geometria();
    const QPointF d = punto - g.centro;
    const double distancia = std::hypot(d.x(), d.y());
    if (distancia < g.interior || distancia >= g.exterior)
        return -1;
    const double qt = qRadiansToDegrees(std::atan2(-d.y(), d.x()));
    const double desdeArriba = std::fmod(90.0 - qt + 720.0, 360.0);
    const int dia = qMin(kDias - 1, int(desdeArriba / kGradosDia));
    const int toma = qMin(kTomasDia - 1, int((g.exterior - distancia) / g.anillo));
    return dia * kTomasDia + toma;
}

QPointF TRuedaBlister::CentroCelda(int celda) const
{
    const TGeometria g = Geometria();
    const int dia = celda / kTomasDia;
    const int toma = celda % kTomasDia;
    return Polar(g.centro, g.exterior - (toma + 0.5) * g.anillo, (dia + 0.5) * kGradosDia);
}

void TRuedaBlister::paintEvent(QPaintEvent *)
{
    const TGeometria g = Geometria();
    QPainter pintor(this);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.setPen(QPen(kBorde, 1.0));
    for (int celda = 0; celda < kCeldasSemana; ++celda) {
        const int dia = celda / kTomasDia;
        const int toma = celda % kTomasDia;
        const double fuera = g.exterior - toma * g.anillo;
        const double dentro = fuera - g.anillo;
        const double inicio = AnguloQt(dia * kGradosDia);
        QPainterPath sector;
        const QRectF arcoFuera(g.centro - QPointF(fuera, fuera), QSizeF(2 * fuera, 2 * fuera));
        const QRectF arcoDentro(g.centro - QPointF(dentro, dentro), QSizeF(2 * dentro, 2 * dentro));
        sector.arcMoveTo(arcoFuera, inicio);
        sector.arcTo(arcoFuera, inicio, -kGradosDia);
        sector.arcTo(arcoDentro, inicio - kGradosDia, kGradosDia);
        sector.closeSubpath();
        pintor.setBrush(celda == m_marcada ? kMarcada : QColor(Qt::white));
        pintor.drawPath(sector);
        const QPointF centro = CentroCelda(celda);
        pintor.drawText(QRectF(centro - QPointF(g.anillo / 2, g.anillo / 2), QSizeF(g.anillo, g.anillo)),
                        Qt::AlignCenter, m_textos.value(celda));
    }
    const QStringList dias = NombresDias();
    for (int dia = 0; dia < kDias; ++dia) {
        const QPointF centro = Polar(g.centro, g.exterior + kMargenNombres / 2, (dia + 0.5) * kGradosDia);
        pintor.drawText(QRectF(centro - QPointF(50, 10), QSizeF(100, 20)), Qt::AlignCenter, dias.value(dia));
    }
    // The times of day, outermost first, in the middle.
    QFont pequena = pintor.font();
    pequena.setPointSizeF(pequena.pointSizeF() * 0.75);
    pintor.setFont(pequena);
    const QRectF medio(g.centro - QPointF(g.interior, g.interior * 0.7),
                       QSizeF(2 * g.interior, 1.4 * g.interior));
    pintor.drawText(medio, Qt::AlignCenter, NombresTomas().join(QLatin1Char('\n')));
}

void TRuedaBlister::Senalar(const QPointF &punto)
{
    const int celda = CeldaEn(punto);
    if (celda < 0 || celda == m_marcada)
        return;
    Marcar(celda);
    emit celdaSenalada(celda);
}

void TRuedaBlister::mouseMoveEvent(QMouseEvent *evento)
{
    Senalar(evento->position());
}

void TRuedaBlister::mousePressEvent(QMouseEvent *evento)
{
    Senalar(evento->position());
}
