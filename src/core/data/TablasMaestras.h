#pragma once

#include <QList>
#include <QString>

class TDM;

// One entry of a master list: its code within the list and the description shown.
struct TEntradaMaestra
{
    int Codigo = 0;
    QString Descripcion;
};

// The entries of the master lists of table TabMaestras (the patients' categories are list
// TDM::kListaCategorias) and their changes, each in one transaction.
//
// A code is never given twice in a list: the highest code ever deleted from list L is kept as a
// row of the reserved list TDM::ListaMarcaCodigos(L), and TDM::SiguienteCodigo counts it, so a
// patient's stored category can never come to name a different, newer category.
class TTablasMaestras
{
public:
    explicit TTablasMaestras(TDM &dm);

    // The entries of the list in the order of their codes.
    QList<TEntradaMaestra> Lista(int codTab);

    // Why the description cannot be stored: empty, or holding a character that separates the
    // values of lists stored as text ("|" and ";"). Empty when it can.
    static QString ErrorDescripcion(const QString &descripcion);
    // Why the entry cannot be deleted: a category some patient (active or not) belongs to.
    // Empty when it can.
    QString MotivoBorradoImposible(int codTab, int codigo);

    // A new entry with the list's next code; its code. The description is stored as typed.
    // Throws AppError when the description is refused.
    int Anadir(int codTab, const QString &descripcion);
    // Changes only the description; throws AppError when it is refused or the entry is gone.
    void Modificar(int codTab, int codigo, const QString &descripcion);
    // Throws AppError when the deletion is refused (see MotivoBorradoImposible).
    void Borrar(int codTab, int codigo);

private:
    void ComprobarDescripcion(const QString &descripcion);
    void RecordarCodigoBorrado(int codTab, int codigo);

    TDM &m_dm;
};
