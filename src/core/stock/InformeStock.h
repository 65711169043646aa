#pragma once

#include "core/reports/ReportDocument.h"
#include "core/reports/ReportListing.h"
#include "core/stock/ConsultaInventario.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class TPreferences;

// One line of a printed stock report.
struct TFilaInformeStock
{
    QString RefPaciente;
    QString Nombre;
    QString Categoria;
    QString Medicamento; // the code, a blank and the medication's text
    double Cantidad = 0.0;
    QString Lote;
    QDate Caducidad;
};

// What every printed stock report shows of the pharmacy: its logo, and its address and
// telephone joined by " - ".
struct TMembreteFarmacia
{
    QByteArray Logo; // empty: no logo
    QString DireccionTelefono;
};

// "a - b", or either alone when the other is empty.
QString UnirConGuion(const QString &a, const QString &b);

TMembreteFarmacia MembreteFarmacia(const TPreferences &preferencias);

// The frame of every printed report of the stock subsystem: the pharmacy's logo, the header texts,
// the pharmacy's address and telephone, the print date and "page n / N".
ListingFrame MarcoInforme(const QStringList &cabecera, const TMembreteFarmacia &membrete,
                          const QDate &fechaImpresion);

// The stock report: the title and the header texts on every page, the rows in the order given
// (patient reference, name, category, medication, quantity, lot, expiry), the pharmacy, the
// print date and "page n / N".
TReportDocument InformeStock(const QString &titulo, const QStringList &cabecera,
                             const QList<TFilaInformeStock> &filas, const TMembreteFarmacia &membrete,
                             const QDate &fechaImpresion);

// What the stock inquiry was asked for, as the texts of the header of its report.
struct TCabeceraInventario
{
    QString Categoria; // the category shown in the filter
    QString RefPaciente;
    QString Nombre;
    QString Opcion; // the caption of the chosen view
    QString Codigo;
    QString Descripcion;

    // The category, then the patient, the view and the medication upper-cased.
    QStringList Textos() const;
};

// The inquiry's rows for its report, sorted by category, patient reference, medication code and
// row.
QList<TFilaInformeStock> FilasInformeInventario(QList<TFilaInventario> filas);
