#include "core/loading/QREtiquetasCompleto.h"

#include "core/dosing/NombresSemana.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/QREtiquetasColumnas.h"
#include "core/loading/QREtiquetasLBm1.h"

using namespace PiezasEtiqueta;

namespace {

const ReportFont kCabecera {kReportSansFamily, 6.5, true};
const ReportFont kCelda {kReportSansFamily, 4.5};
constexpr double kX = TQREtiquetasFormLBm1::kAncho + 2.0;
constexpr double kAnchoToma = 15.0;
constexpr double kAnchoDia = 18.0;
constexpr double kAltoCabecera = 6.0;
constexpr double kAltoToma = 47.0;

} // namespace

QString TQREtiquetasFormCompleto::TextoCelda(const QList<TFilaCelda> &celda, bool conReferencias)
{
    QStringList lineas;
    for (const TFilaCelda &fila : celda) {
        QString linea = QString::number(fila.Cantidad).replace(QLatin1Char('.'), QLatin1Char(','));
        if (conReferencias)
            linea += QStringLiteral(" (%1)").arg(fila.Numref);
        linea += QLatin1Char(' ') + QString::number(fila.Idmedicamento) + QLatin1Char(' ')
                + fila.Medicamento.left(15);
        lineas << linea;
    }
    return lineas.join(QLatin1Char('\n'));
}

TReportDocument TQREtiquetasFormCompleto::Construir(const TEtiquetaCarga &etiqueta,
                                                    const TOpcionesEtiqueta &opciones)
{
    TReportDocument informe;
    ReportBand &banda = Hoja(informe, ReportPageSetup::a4(true), etiqueta, opciones);
    TQREtiquetasFormLBm1::Dibujar(banda, 0.0, etiqueta, opciones, true);

    const QStringList dias = NombresDias();
    const QStringList tomas = NombresTomas();
    const bool conReferencias = !LineasLotes(etiqueta, opciones, true).isEmpty();
    const double top = 4.0;
    for (int dia = 0; dia < dias.size(); ++dia) {
        const double x = kX + kAnchoToma + dia * kAnchoDia;
        banda.addBox(QRectF(x, top, kAnchoDia, kAltoCabecera));
        TextoEtiqueta(banda, QRectF(x, top, kAnchoDia, kAltoCabecera), dias.at(dia), kCabecera,
                      Qt::AlignCenter);
    }
    for (int toma = 0; toma < tomas.size(); ++toma) {
        const double y = top + kAltoCabecera + toma * kAltoToma;
        banda.addBox(QRectF(kX, y, kAnchoToma, kAltoToma));
        TextoEtiqueta(banda, QRectF(kX, y, kAnchoToma, kAltoToma), tomas.at(toma), kCabecera,
                      Qt::AlignCenter);
        for (int dia = 0; dia < dias.size(); ++dia) {
            const QRectF rect(kX + kAnchoToma + dia * kAnchoDia, y, kAnchoDia, kAltoToma);
            banda.addBox(rect);
            const QList<TFilaCelda> &celda = etiqueta.celdas[size_t(dia * kTomasDia + toma)];
            if (!celda.isEmpty())
                TextoEtiqueta(banda, rect.adjusted(0.5, 0.5, -0.5, -0.5), TextoCelda(celda, conReferencias),
                              kCelda, Qt::AlignLeft | Qt::AlignTop)
                        .wordWrap
                        = true;
        }
    }
    return informe;
}
