#pragma once

#include <QDate>
#include <QString>

#include <optional>

class TDosis;
class TRecarga;

// A check that stops a load: its catalogue key and the translated text for the error dialog.
struct TAvisoCarga
{
    QString clave;
    QString texto;
};

using TComprobacion = std::optional<TAvisoCarga>;

// The checks made before a load, each failing with its message. The expiry limit is the day
// before which a portion's expiry date makes it expired (window end + 1 on the patient screen).
namespace ComprobacionesCarga {

// A date field that does not hold a date.
TComprobacion FechaValida(const QDate &fecha);
TComprobacion FechaNoPasada(const QDate &inicio, const QDate &hoy);
// A patient of a category loads whole weeks only.
TComprobacion SemanaCompleta(bool conCategoria, const QDate &inicio, const QDate &fin);
// A portion whose dose does not say how it goes into the blister (state 8).
TComprobacion AvisoMalDefinido(const TRecarga &carga);
// With stock control, portions whose stock expires before the limit, named one per line.
TComprobacion AvisoCaducados(const TRecarga &carga, bool conInventario, const QDate &limite);
// No portion goes into the blister.
TComprobacion CargaVacia(const TRecarga &carga);
// With stock control, a portion marked insufficient, or a completed one needing more than is
// available (compared in hundredths of a pill).
TComprobacion AvisoStockInsuficiente(const TRecarga &carga, bool conInventario);
TComprobacion MaquinaConectada(bool conectada);
// The machine must be waiting (state 0).
TComprobacion MaquinaEnEspera(quint8 estadoMaquina);

} // namespace ComprobacionesCarga

// Whether the portion's stock expires before the limit (a portion without expiry date never).
bool PorcionCaducada(const TDosis &porcion, const QDate &limite);

// The state of a portion as the medication grid shows it.
QString TextoEstado(quint8 estado, bool conInventario);
