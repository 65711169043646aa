#pragma once

#include "core/dosing/UDispenserTypes.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

class TDM;

// One cell of a blister that came back: whether it is returned, how many units it held and why.
struct TTomaRetornada
{
    bool Marcada = false;
    int Comprimidos = 0;
    QString Comentario;
};

// The cells of a returned blister, numbered 1 to 28 day by day, four a day (Monday first;
// breakfast, lunch, dinner, night), as the returns screen marks them and GuardarRetorno stores them.
class TTomasRetornadas
{
public:
    static constexpr int kTomas = kCeldasSemana;
    // The comment column's length; a longer reason is cut there rather than refused by the database.
    static constexpr int kLongitudComentario = 255;

    static bool EsToma(int toma) { return toma >= 1 && toma <= kTomas; }

    // Cells outside 1 to 28 are ignored; reading one gives an unmarked cell.
    const TTomaRetornada &Toma(int toma) const;
    void Marcar(int toma, int comprimidos, const QString &comentario);
    void Desmarcar(int toma);

    // The marked cells in cell order.
    QList<int> Marcadas() const;
    int SumaComprimidos() const;

private:
    std::array<TTomaRetornada, kTomas> m_tomas {};
};

// "TOMA " and the cell number, and the cell's day and slot ("JUEVES COMIDA"), in the current language.
QString TextoToma(int toma);
QString TextoDiaToma(int toma);

// The units typed for a returned cell: a whole number, 0 or more (blanks around it ignored);
// nothing for any other text.
std::optional<int> LeerComprimidosToma(const QString &texto);

// The returned cells stored for a load (RecargaTomasRetornadas); rows of a cell outside 1 to 28
// are ignored.
TTomasRetornadas LeerTomasRetornadas(TDM &dm, qint64 idRecarga);
