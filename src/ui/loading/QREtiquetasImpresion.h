#pragma once

#include <QtGlobal>

// Printing the label sheet of a stored load, read back from the database, on the label printer
// of the preferences (ETIPRINTER), without preview. A load that does not exist prints nothing
// and writes no audit row; a label printer that is not installed gives way to the default
// printer; with no printer at all the user is told. Bar codes or pictures that cannot be drawn
// are logged and the sheet still prints.
namespace QREtiquetasImpresion {

// The sheet in the layout the preference PEtiquetas chooses (see FormatoEtiqueta); false when
// the load does not exist.
bool ImprimirEtiquetasCarga(qint64 idRecarga);
// The audit row of a label print. The print writes it, and the loading and validation screens
// write it once more after they called the print.
void AuditarImpresionEtiquetas();
// A test sheet (EtiquetaDePrueba) in the layout of the preferences, when that layout is a sheet;
// no audit row, as it holds no patient's data.
void ImprimirEtiquetaDePrueba();
// The "Completo" sheet whatever the preference (the printed summary of a load).
void ImprimirResumenCarga(qint64 idRecarga);
// The "Completo" sheet in the preview window, modally (the validation dialog's "IMPRIMIR").
void MostrarResumenCarga(qint64 idRecarga);

} // namespace QREtiquetasImpresion

using QREtiquetasImpresion::AuditarImpresionEtiquetas;
using QREtiquetasImpresion::ImprimirEtiquetaDePrueba;
using QREtiquetasImpresion::ImprimirEtiquetasCarga;
using QREtiquetasImpresion::ImprimirResumenCarga;
