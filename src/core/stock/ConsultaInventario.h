#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

class TDM;

// The filters of the stock inquiry over all patients. Empty texts filter nothing.
struct TFiltroInventario
{
    std::optional<int> Categoria;
    QString Referencia; // the whole reference, without regard to case
    QString Nombre; // part of the patient's name, without regard to case
    QString Codigo; // a medication code (digits)
    QString Descripcion; // part of the medication text, without regard to case
    bool VerMedicamentos = false; // by real product instead of by the treatment's medication
};

// One row of the inquiry.
struct TFilaInventario
{
    QString Categoria;
    QString RefPaciente;
    QString Nombre;
    qint64 Codigo = 0;
    QString Medicamento;
    QString Lote;
    QDate Caducidad;
    double Cantidad = 0.0;
    qint64 idInventario = 0;
};

// The stock rows of every patient that pass the filters, ordered by patient reference, code and
// row. Throws AppError with the message when the code is not a number.
QList<TFilaInventario> ConsultarInventario(TDM &dm, const TFiltroInventario &filtro);
