#pragma once

#include <QDate>
#include <QString>

struct TFilaTratamiento;

// What the treatment-line editor opens with, set by its opener (the treatment screen, the stock
// entry, the history view). After a successful store the editor leaves the stored start, end,
// dose, label dose and notes here for the opener to read.
struct TEntradaEditorTratamiento
{
    bool SPD = false; // the line goes into the blister (current choice)
    bool SPDInicial = false; // the same at opening, to see whether the user changed it
    bool SoloLectura = false; // show only: nothing can be changed or stored
    qint64 idMedicamento = 0;
    QString Medicamento; // displayed name
    QString Lote; // lot, expiry and quantity are shown, never edited
    QDate Caducidad; // shown as "mm/yyyy"
    double Cantidad = 0.0; // stock on hand in pills; a new line starts with it
    QString Medico;
    QDate Inicio; // invalid: today is shown
    QDate Fin; // invalid: no end
    QString Notas;
    QString Dosis;
    QString DosisEtiqueta; // the label dose; the dose when the stored one is empty
    QString DosisS1; // as stored
};

// The inputs for a line of the treatment list (a current line, or with `soloLectura` a line of
// a stored version): its blister flag, code, name, dates, quantity, doctor, notes, dose, stored
// DosisS1 and label dose (the dose when it has none). Lot and expiry stay empty.
TEntradaEditorTratamiento EntradaDeFila(const TFilaTratamiento &fila, bool soloLectura = false);
