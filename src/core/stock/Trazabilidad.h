#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QVariantList>

class TDM;

// The medication code typed into the traceability view, blanks around it ignored: its number,
// or the message that refuses it (no code, or not all digits) before anything is searched.
struct TCodigoTrazabilidad
{
    qint64 idMedicamento = 0;
    QString Error; // empty for a usable code
};
TCodigoTrazabilidad LeerCodigoTrazabilidad(const QString &texto);

// One line of the traceability list: all stock rows of a patient, or one load of a patient, with
// the units of the medication (and lot) in them.
struct TLineaTraza
{
    qint64 IdPaciente = 0;
    QString REFPaciente;
    QString DNI;
    QString Nombre;
    QString Telefono;
    QString DESORIG; // the situation as shown, translated
    // The situation's source word: "INVENTARIO" (stock), "PDTE ENTREGA" (a blister waiting to be
    // collected), "ENTREGADOS" (delivered), "CONSUMIDOS" (came back, delivered or not).
    QString ORIG;
    double Cantidad = 0.0;
    QDate FechaInicio; // the load's first and last day; invalid for stock
    QDate FechaFin;
    qint64 IdRecarga = 0; // 0 for stock
};

// The traceability statement and its bound values, one line per load of a patient holding the
// medication and one per patient with stock rows of it: the stock rows whose real product is the
// medication (also those at zero) summed per patient, and the load lines that put it into a
// blister (the product actually loaded) summed per load, each load in the situation its return
// and delivery dates give; with a lot, only the rows of that whole lot, without regard to case and
// with no character of it read as a pattern. Ordered by patient, then source word, newest load
// first. Its columns: ORIG, CODORIG, the patient's identifier, DNI, Nombre and Telefono, the
// quantity, the load's FechaInicio, FechaFin and idRecarga (0 for stock), and refPaciente.
// With `cuantas` above 0 only that many lines from line `desde` on.
struct TSentenciaTrazabilidad
{
    QString sql;
    QVariantList valores;
};
TSentenciaTrazabilidad SentenciaTrazabilidad(qint64 idMedicamento, const QString &lote = {}, int desde = 0,
                                             int cuantas = 0);

// The statement's lines as the list shows them; every line when `cuantas` is 0 (the printed
// listing), else one page, a statement of its own read to its end.
QList<TLineaTraza> ConsultarTrazabilidad(TDM &dm, qint64 idMedicamento, const QString &lote = {},
                                         int desde = 0, int cuantas = 0);
