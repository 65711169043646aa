#pragma once

#include <QDate>
#include <QString>

class TDM;

// A treatment line as the editor stores it.
struct TLineaEditada
{
    qint64 idMedicamento = 0;
    bool SPD = false; // the blister choice
    bool SPDInicial = false; // the blister choice at opening
    QDate Inicio;
    QDate Fin; // invalid: no end
    QString Dosis; // the built dose text (blister) or the free text
    QString DosisAlAbrir; // the blister dose the editor opened on
    QString DosisEtiqueta; // the label dose as typed
    QString Medico;
    QString Notas;
    double Cantidad = 0.0; // the stock figure a new line starts with
};

// What was stored.
struct TLineaGuardada
{
    bool Nueva = false; // a line was added (else the existing one was changed)
    QString Dosis;
    QString DosisEtiqueta;
};

// The label dose stored with a line: the one typed, else the dose; the dose itself when a blister
// line's dose changed from a dose it had, and always for a line that does not go into the blister.
QString DosisEtiquetaGuardada(const TLineaEditada &linea);

// Stores the patient's line of the medication (SPD): the line there is is changed, else one is
// added. `SPDP` is set only when the blister choice was changed (1 "Si", 0 "No"). A changed line
// keeps its stored quantity on hand, which loads and stock entries keep up to date. Runs under the
// patient's lock; then the audit row `accion` (ALTA or MODIFICACION, ACEPTADO) is written. Throws
// AppError with the database's message when the line cannot be stored; nothing is then written.
TLineaGuardada GuardarLineaTratamiento(TDM &dm, qint64 idPaciente, const TLineaEditada &linea,
                                       const QString &accion);
