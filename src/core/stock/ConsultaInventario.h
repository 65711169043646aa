#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QVariantList>

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

// The columns of the inquiry, in the order the screen shows them; the rows can be ordered by any.
enum class TColumnaInventario {
    Categoria,
    Referencia,
    Nombre,
    Codigo,
    Medicamento,
    Lote,
    Caducidad,
    Cantidad
};
inline constexpr int kColumnasInventario = 8;

// The order of the rows: by patient reference, code and row when no column is chosen; by a column
// (texts without regard to case, empty values first), with the usual order deciding between equal
// values in either direction.
struct TOrdenInventario
{
    std::optional<TColumnaInventario> Columna;
    bool Descendente = false;
};

// The inquiry as a statement and its bound values: every stock row of a patient restricted by the
// category, reference and code (the name and medication texts are compared on the rows read, as
// the application upper-cases them), in the order given. With `cuantas` above 0 only that many
// rows of the database from row `desde` on. Throws AppError with the message when the code is not
// a number.
struct TSentenciaInventario
{
    QString sql;
    QVariantList valores;
};
TSentenciaInventario SentenciaInventario(const TFiltroInventario &filtro, const TOrdenInventario &orden = {},
                                         int desde = 0, int cuantas = 0);

// The stock rows of every patient that pass the filters, ordered by patient reference, code and
// row unless another order is given. Throws AppError with the message when the code is not a number.
QList<TFilaInventario> ConsultarInventario(TDM &dm, const TFiltroInventario &filtro,
                                           const TOrdenInventario &orden = {});

// One page of the inquiry: the rows that pass among the database's rows from `Desde` on, and where
// the next page starts among the database's rows.
struct TPaginaInventario
{
    QList<TFilaInventario> Filas;
    int Siguiente = 0;
    bool HayMas = false;
};
// At least `cuantas` rows that pass (fewer only at the end), read from the database's row `desde`
// in statements of `cuantas` rows, each read to its end, so no read is left open between pages.
TPaginaInventario ConsultarPaginaInventario(TDM &dm, const TFiltroInventario &filtro,
                                            const TOrdenInventario &orden, int desde, int cuantas);
