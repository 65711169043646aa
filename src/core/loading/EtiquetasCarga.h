#pragma once

#include "core/loading/CabeceraEtiqueta.h"
#include "core/loading/DatosEtiquetas.h"
#include "core/loading/RepartoCeldas.h"
#include "core/reports/ReportDocument.h"

#include <QStringList>

// Everything a label sheet prints of one stored load.
struct TEtiquetaCarga
{
    TCabeceraEtiqueta cabecera;
    TDatosEtiquetas datos;
    TCeldas celdas;

    bool existe() const { return datos.existe; }
};

// What the preferences change on a sheet.
struct TOpcionesEtiqueta
{
    double dx = 0.0; // millimetres the sheet is shifted right
    double dy = 0.0; // and down, onto the pre-printed label stock
    bool listaLotes = true; // the lot and expiry list is printed
    bool reinoUnido = false; // country "3"
};

// The four layouts of the preference PEtiquetas, and none.
enum class TFormatoEtiqueta { Base, BaseCantidades, Rotulada, Completo, Ninguno };

// The layout of the preference ("" and "0" mean "LB-m.000"); in automatic mode (tipoCarga 0)
// only the two "LB-m" layouts print.
TFormatoEtiqueta FormatoEtiqueta(const QString &pEtiquetas, int tipoCarga);

// Reads the load's lists, cells and header through the data module and the preferences.
TEtiquetaCarga LeerEtiquetaCarga(qint64 idRecarga);
// The sheet's options from the preferences: the lot list needs IdatMedOB 1 and a patient whose
// stock is kept.
TOpcionesEtiqueta OpcionesEtiqueta(const TEtiquetaCarga &etiqueta);

// The sheet in the layout, as a report; an empty report (no bands) for Ninguno.
TReportDocument InformeEtiquetas(const TEtiquetaCarga &etiqueta, TFormatoEtiqueta formato,
                                 const TOpcionesEtiqueta &opciones);

// Pieces every layout shares.
namespace PiezasEtiqueta {

inline const ReportFont kFuenteLista {kReportMonoFamily, 5.4}; // the widest list fits the inside face
inline constexpr double kAltoLinea = 3.0; // millimetres per list line

// The page with the sheet shifted by the options, and its one title band.
ReportBand &Hoja(TReportDocument &informe, const ReportPageSetup &pagina, const TEtiquetaCarga &etiqueta,
                 const TOpcionesEtiqueta &opciones);
// The lot and expiry lines ("(n) " before each one when numbered); none when not printed.
// Where the lot and the expiry start on a lot line, in characters (before any number in front).
inline constexpr int kInicioLoteLinea = 60;
inline constexpr int kInicioCaducidadLinea = 96;
QStringList LineasLotes(const TEtiquetaCarga &etiqueta, const TOpcionesEtiqueta &opciones, bool numeradas);
// Lines of text from `top` down, one per entry; returns the height used.
double Lineas(ReportBand &banda, const QPointF &origen, double ancho, const QStringList &lineas,
              const ReportFont &fuente = kFuenteLista);
// The load's code as an EAN-8 bar code of its seven leading digits and their check digit; a code
// too long for it is logged and printed as text.
void CodigoBarras(ReportBand &banda, const QRectF &rect, const QString &codigo);
// The photo or the logo: a photo smaller and at its own place.
void Imagen(ReportBand &banda, const TCabeceraEtiqueta &cabecera, const QRectF &rectFoto,
            const QRectF &rectLogo);
// The first blister line of each medication.
QList<TFilaEtiqueta> PrimeraPorMedicamento(const QList<TFilaEtiqueta> &lista);
QString Fecha(const QDate &fecha);

} // namespace PiezasEtiqueta
