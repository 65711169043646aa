#pragma once

#include <QString>
#include <QStringList>

// The shapes of blister card the manual filling is shown on (preference TipoBlister: 1 square
// cells, anything else round).
enum class TFormaBlister { Cuadrada, Redonda };

TFormaBlister FormaBlister(int tipoBlister);

// What one cell of the manual blister says to place, from its count (as the cell text holds
// it) and the portion size: nothing for "0"; a whole pill's count alone; for a quarter, half,
// third or two thirds (sizes compared exactly) the fraction alone when the count is "1",
// otherwise the count and the fraction in brackets: "2 ( 1/2 )" on the square card, "2(1/2)" on
// the round one, whose cells are smaller.
QString TextoCeldaManual(const QString &cuenta, double porcion, TFormaBlister forma);

// The 28 cells' texts from the counts joined with ";" (Monday breakfast first); missing counts
// leave their cells empty.
QStringList TextosCeldasManual(const QString &celdas, double porcion, TFormaBlister forma);
