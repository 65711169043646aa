#pragma once

#include "core/loading/EtiquetasCarga.h"

#include <QDateTime>

struct TPreferenciasValores;

// A label sheet of made-up contents, for trying the label stock, the printer and the layout
// before a real load is printed: the pharmacy's name and telephone from the preferences, its logo,
// a test patient and one medication in the morning and evening cells of every day, with its lot.
TEtiquetaCarga EtiquetaDePrueba(const TPreferenciasValores &preferencias, const QByteArray &logo,
                                const QDateTime &ahora);

// Whether the layout prints a test label: only the sheet layouts, not the load summary.
bool FormatoConEtiquetaDePrueba(TFormatoEtiqueta formato);
