#pragma once

#include "core/loading/EtiquetasCarga.h"

// The full sheet ("Completo"), A4 landscape: the captioned sheet on the left and the week grid
// of the blister on the right, each cell listing what it holds. Also the printed summary of a
// load and the validation view.
class TQREtiquetasFormCompleto
{
public:
    static TReportDocument Construir(const TEtiquetaCarga &etiqueta, const TOpcionesEtiqueta &opciones);

    // The text of one cell: a line per lot, "quantity (legend number) product name".
    static QString TextoCelda(const QList<TFilaCelda> &celda, bool conReferencias);
};
