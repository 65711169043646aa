#pragma once

#include <QList>

// How one portion of a load takes its units from the patient's stock rows of its medication,
// walked in the order they were entered. Pure arithmetic in whole hundredths of a pill, so that
// 3 thirds are exactly 0.99 and nothing drifts with floating point.
//
// A row gives only what makes whole units of the portion's size: of 5.5 pills a wholes portion
// takes 5, and the 0.5 stays for halves. A row of the blister's medication left below a quarter
// of a pill is removed: nothing can be made of it.
namespace ConsumoStock {

inline constexpr qint64 kMinimoFila = 25; // hundredths; a row below it is removed

enum class Cambio {
    Ninguno,
    Actualizar, // the row keeps `restante`
    Borrar,
};

struct Paso
{
    qint64 tomado = 0; // hundredths taken from the row
    qint64 restante = 0; // what the row holds afterwards
    Cambio cambio = Cambio::Ninguno;
};

struct Resultado
{
    QList<Paso> pasos; // one per row, in the rows' order
    qint64 faltan = 0; // the need the rows could not cover
};

// `filas`: the hundredths each row holds, in walking order; `necesidad` and `porcion` in
// hundredths. `enBlister`: the portion goes into the blister (only then are rows tidied).
Resultado Consumir(const QList<qint64> &filas, qint64 necesidad, qint64 porcion, bool enBlister);

} // namespace ConsumoStock
