#pragma once

#include "core/loading/EtiquetasCarga.h"

// The captioned label sheet ("LB-e.000"), A5 portrait: the front label above (patient, load,
// dates, pharmacy, photo or logo), the back label below (doctor, medication in and outside the
// blister in columns, lots and expiry dates, bar code).
class TQREtiquetasFormLBm1
{
public:
    static TReportDocument Construir(const TEtiquetaCarga &etiqueta, const TOpcionesEtiqueta &opciones);

    // Draws the sheet into a band with its top-left corner at `x` millimetres.
    static void Dibujar(ReportBand &banda, double x, const TEtiquetaCarga &etiqueta,
                        const TOpcionesEtiqueta &opciones, bool lotesNumerados);

    static constexpr double kAncho = 148.0;
};
