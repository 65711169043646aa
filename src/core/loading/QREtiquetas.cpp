#include "core/loading/QREtiquetas.h"

#include "core/i18n/ULenguaje.h"
#include "core/loading/TextosEtiqueta.h"

#include <QLocale>

using namespace PiezasEtiqueta;
using namespace TextosEtiqueta;

namespace {

const ReportFont kNombre {kReportSansFamily, 11.0, true};
const ReportFont kTexto {kReportSansFamily, 8.0};
const ReportFont kDestacado {kReportSansFamily, 9.0, true};
constexpr double kInterior = 105.0; // where the inside face starts

} // namespace

TQREtiquetasForm::TQREtiquetasForm(const TEtiquetaCarga &etiqueta, const TOpcionesEtiqueta &opciones)
    : m_etiqueta(etiqueta)
    , m_opciones(opciones)
{ }

TReportDocument TQREtiquetasForm::Construir(const TEtiquetaCarga &etiqueta, const TOpcionesEtiqueta &opciones)
{
    return TQREtiquetasForm(etiqueta, opciones).construir();
}

TReportDocument TQREtiquetasForm::construir()
{
    TReportDocument informe;
    ReportBand &banda = Hoja(informe, ReportPageSetup::a5(true), m_etiqueta, m_opciones);
    caraExterior(banda);
    caraInterior(banda);
    return informe;
}

void TQREtiquetasForm::caraExterior(ReportBand &banda) const
{
    const TCabeceraEtiqueta &c = m_etiqueta.cabecera;
    banda.addText(QRectF(5, 5, 58, 6), c.Nombre, kNombre).wordWrap = true;
    banda.addText(QRectF(5, 16, 58, 5), c.refPaciente, kTexto);
    banda.addText(QRectF(5, 22, 58, 5), QString::number(c.refRecarga), kDestacado);
    banda.addText(QRectF(5, 30, 58, 5),
                  c.FechaRealizado.toString(QLocale().dateTimeFormat(QLocale::ShortFormat)), kTexto);
    banda.addText(QRectF(5, 36, 58, 5), Fecha(c.FechaInicio), kTexto);
    banda.addText(QRectF(5, 42, 58, 5), Fecha(c.FechaFin), kTexto);
    Imagen(banda, c, QRectF(66, 5, 32, 40), QRectF(5, 85, 90, 30));
    banda.addText(QRectF(5, 120, 95, 5), c.farmacia, kDestacado);
    banda.addText(QRectF(5, 126, 95, 5), c.telefonoFarmacia, kTexto);
}

void TQREtiquetasForm::caraInterior(ReportBand &banda) const
{
    const TCabeceraEtiqueta &c = m_etiqueta.cabecera;
    const bool conMedico = !c.medico.isEmpty();
    if (conMedico) {
        banda.addText(
                QRectF(kInterior, 4, 18, 5),
                Traducir(QStringLiteral("TQREtiquetasForm.lblMedico.Caption"), QStringLiteral("MÉDICO:")),
                kTexto);
        banda.addLine(QPointF(kInterior, 14), QPointF(kInterior + 98, 14));
    }
    const double x = conMedico ? kInterior + 19 : kInterior;
    banda.addText(QRectF(x, 4, 78, 5), conMedico ? c.medico : c.farmacia, kDestacado);
    banda.addText(QRectF(x, 9, 78, 5), conMedico ? c.telefonoMedico : c.telefonoFarmacia, kTexto);

    QStringList blister;
    for (const TFilaEtiqueta &fila : PrimeraPorMedicamento(m_etiqueta.datos.ListaBlister))
        blister << Columna(NombreBlister(fila), 28, 28) + QStringLiteral("   ")
                        + Columna(fila.descripcion, 19, 19) + QStringLiteral("  ")
                        + Columna(SignosFraccion(fila.posologia), 19, 20);
    QStringList otros;
    for (const TFilaEtiqueta &fila : m_etiqueta.datos.ListaOtros)
        otros << Columna(NombreOtro(fila), 28, 27) + QStringLiteral("   ") + Columna(fila.descripcion, 19, 19)
                        + QStringLiteral("    ") + Columna(fila.posologia, 30, 30);
    double y = 17;
    y += Lineas(banda, QPointF(kInterior, y), 100, blister) + 2;
    y += Lineas(banda, QPointF(kInterior, y), 100, otros) + 2;
    Lineas(banda, QPointF(kInterior, y), 100, LineasLotes(m_etiqueta, m_opciones, false),
           ReportFont {kReportMonoFamily, 4.0});
    CodigoBarras(banda, QRectF(kInterior + 50, 124, 45, 16), c.codigo);
}

QString TQREtiquetasForm::NombreBlister(const TFilaEtiqueta &fila) const
{
    return fila.medicamento;
}

QString TQREtiquetasForm::NombreOtro(const TFilaEtiqueta &fila) const
{
    return fila.medicamento;
}

TReportDocument TQREtiquetasForm_002::Construir(const TEtiquetaCarga &etiqueta,
                                                const TOpcionesEtiqueta &opciones)
{
    return TQREtiquetasForm_002(etiqueta, opciones).construir();
}

QString TQREtiquetasForm_002::SinNumero(const TFilaEtiqueta &fila) const
{
    const QString numero = fila.idmedicamento + QLatin1Char(' ');
    if (m_opciones.reinoUnido && fila.medicamento.startsWith(numero))
        return fila.medicamento.mid(numero.size());
    return fila.medicamento;
}

QString TQREtiquetasForm_002::NombreBlister(const TFilaEtiqueta &fila) const
{
    qint64 total = 0;
    for (const TFilaEtiqueta &linea : m_etiqueta.datos.ListaBlister) {
        if (linea.idmedicamento == fila.idmedicamento)
            total += EnCentesimas(linea.Cantidad);
    }
    return QLocale().toString(total / 100.0) + SinNumero(fila);
}

QString TQREtiquetasForm_002::NombreOtro(const TFilaEtiqueta &fila) const
{
    return SinNumero(fila);
}
