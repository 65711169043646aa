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

// The traceability statement and its bound values: the stock rows whose real product is the
// medication (also those at zero) and the load lines that put it into a blister (the product
// actually loaded), each load line in the situation its load's return and delivery dates give;
// with a lot, only the rows of that whole lot, without regard to case. Ordered by patient, then
// source word, newest load first. Its columns: ORIG, CODORIG, the patient's identifier, DNI,
// Nombre and Telefono, idMedicamento, Lote, Caducidad, the quantity, the load's FechaRealizado,
// FechaInicio, FechaFin, FechaCaducidad, FechaRetornado, Estado and idRecarga (null for stock),
// and the patient's refPaciente.
struct TSentenciaTrazabilidad
{
    QString sql;
    QVariantList valores;
};
TSentenciaTrazabilidad SentenciaTrazabilidad(qint64 idMedicamento, const QString &lote = {});

// The statement's rows as the list shows them: consecutive rows of one patient, one situation
// and one load (stock counting as load 0) make one line with their quantities added.
QList<TLineaTraza> ConsultarTrazabilidad(TDM &dm, qint64 idMedicamento, const QString &lote = {});
