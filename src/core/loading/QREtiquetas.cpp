#include "core/loading/QREtiquetas.h"

#include "core/i18n/ULenguaje.h"
#include "core/loading/QREtiquetasColumnas.h"
#include "core/loading/TextosEtiqueta.h"

#include <QLocale>

using namespace PiezasEtiqueta;
using namespace TextosEtiqueta;

namespace {

const ReportFont kNombre {kReportSansFamily, 11.0, true};
const ReportFont kTexto {kReportSansFamily, 8.0};
const ReportFont kDestacado {kReportSansFamily, 9.0, true};
constexpr double kInterior = 105.0; // where the inside face starts
// The widths of the list columns in characters: the pills (LB-m.001), the name, the appearance
// and the dose; a blister medication's dose is cut shorter than the others'.
constexpr int kCaracteresCantidad = 5; // "27,75"
constexpr int kCaracteresNombre = 28;
constexpr int kCaracteresAspecto = 19;
constexpr int kCaracteresDosisBlister = 19;
constexpr int kCaracteresDosis = 30;

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
    // The name takes up to two lines above the patient's reference.
    TextoEtiqueta(banda, QRectF(5, 5, 58, 10), c.Nombre, kNombre).wordWrap = true;
    TextoEtiqueta(banda, QRectF(5, 16, 58, 5), c.refPaciente, kTexto);
    TextoEtiqueta(banda, QRectF(5, 22, 58, 5), QString::number(c.refRecarga), kDestacado);
    TextoEtiqueta(banda, QRectF(5, 30, 58, 5),
                  c.FechaRealizado.toString(QLocale().dateTimeFormat(QLocale::ShortFormat)), kTexto);
    TextoEtiqueta(banda, QRectF(5, 36, 58, 5), Fecha(c.FechaInicio), kTexto);
    TextoEtiqueta(banda, QRectF(5, 42, 58, 5), Fecha(c.FechaFin), kTexto);
    Imagen(banda, c, QRectF(66, 5, 32, 40), QRectF(5, 85, 90, 30));
    TextoEtiqueta(banda, QRectF(5, 120, 95, 5), c.farmacia, kDestacado);
    TextoEtiqueta(banda, QRectF(5, 126, 95, 5), c.telefonoFarmacia, kTexto);
}

void TQREtiquetasForm::caraInterior(ReportBand &banda) const
{
    const TCabeceraEtiqueta &c = m_etiqueta.cabecera;
    const bool conMedico = !c.medico.isEmpty();
    if (conMedico) {
        TextoEtiqueta(banda, QRectF(kInterior, 4, 18, 5),
                      TraducirInforme(QStringLiteral("QREtiquetasForm"), QStringLiteral("lblMedico"),
                                      QStringLiteral("MÉDICO:")),
                      kTexto);
        banda.addLine(QPointF(kInterior, 14), QPointF(kInterior + 98, 14));
    }
    const double x = conMedico ? kInterior + 19 : kInterior;
    TextoEtiqueta(banda, QRectF(x, 4, 78, 5), conMedico ? c.medico : c.farmacia, kDestacado);
    TextoEtiqueta(banda, QRectF(x, 9, 78, 5), conMedico ? c.telefonoMedico : c.telefonoFarmacia, kTexto);

    // Each text in a column of its own, so that a long name never pushes the appearance or the
    // dose along, and the doses of both lists start at one place.
    const TColumnasEtiqueta columnas(
            kInterior, kFuenteLista,
            {{ConCantidades() ? kCaracteresCantidad : 0, Qt::AlignRight | Qt::AlignVCenter},
             {kCaracteresNombre},
             {kCaracteresAspecto},
             {kCaracteresDosis}});
    double y = 17;
    for (const TFilaEtiqueta &fila : PrimeraPorMedicamento(m_etiqueta.datos.ListaBlister)) {
        columnas.Fila(banda, y,
                      {CantidadBlister(fila), Nombre(fila).left(kCaracteresNombre),
                       fila.descripcion.left(kCaracteresAspecto),
                       SignosFraccion(fila.posologia).left(kCaracteresDosisBlister)});
        y += kAltoLinea;
    }
    y += 2;
    for (const TFilaEtiqueta &fila : m_etiqueta.datos.ListaOtros) {
        columnas.Fila(banda, y,
                      {QString(), Nombre(fila).left(kCaracteresNombre),
                       fila.descripcion.left(kCaracteresAspecto), fila.posologia.left(kCaracteresDosis)});
        y += kAltoLinea;
    }
    y += 2;
    Lineas(banda, QPointF(kInterior, y), 100, LineasLotes(m_etiqueta, m_opciones, false),
           ReportFont {kReportMonoFamily, 4.0});
    CodigoBarras(banda, QRectF(kInterior + 50, 124, 45, 16), c.codigo);
}

QString TQREtiquetasForm::Nombre(const TFilaEtiqueta &fila) const
{
    return fila.medicamento;
}

bool TQREtiquetasForm::ConCantidades() const
{
    return false;
}

QString TQREtiquetasForm::CantidadBlister(const TFilaEtiqueta &) const
{
    return {};
}

TReportDocument TQREtiquetasForm_002::Construir(const TEtiquetaCarga &etiqueta,
                                                const TOpcionesEtiqueta &opciones)
{
    return TQREtiquetasForm_002(etiqueta, opciones).construir();
}

QString TQREtiquetasForm_002::Nombre(const TFilaEtiqueta &fila) const
{
    const QString numero = fila.idmedicamento + QLatin1Char(' ');
    if (m_opciones.reinoUnido && fila.medicamento.startsWith(numero))
        return fila.medicamento.mid(numero.size());
    return fila.medicamento;
}

bool TQREtiquetasForm_002::ConCantidades() const
{
    return true;
}

QString TQREtiquetasForm_002::CantidadBlister(const TFilaEtiqueta &fila) const
{
    qint64 total = 0;
    for (const TFilaEtiqueta &linea : m_etiqueta.datos.ListaBlister) {
        if (linea.idmedicamento == fila.idmedicamento)
            total += EnCentesimas(linea.Cantidad);
    }
    return QLocale().toString(total / 100.0);
}
