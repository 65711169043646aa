#pragma once

#include <QList>
#include <QString>

// What a label sheet lists, read back from a stored load (Recarga, RecargaLinea) so that it can
// be printed again at any time. Names carry no fraction prefix.

// One medication line of the blister list or of the other-medication list.
struct TFilaEtiqueta
{
    QString SPD; // "SI" in the blister, "NO" outside it
    QString medicamento; // preceded by the medication number and a blank unless it is a manual one
    QString descripcion;
    QString posologia;
    QString caducidad;
    QString lote;
    QString idmedicamento;
    QString DosisMaquina; // the week grid (blister lines only)
    int Numref = 1;
    double Cantidad = 0.0;
};

// One product, lot and expiry among the blister lines, numbered in order of first appearance.
struct TFilaLeyenda
{
    QString IDmedicamento;
    QString medicamento; // the product used, preceded by its number unless it is a manual one
    QString descripcion;
    QString caducidad; // "*******" for a line of no lot
    QString lote;
    int Numref = 0;
    QString IDmedicamentoR;
};

struct TDatosEtiquetas
{
    bool existe = false; // false when no load has the identifier (the lists are then empty)
    int idPaciente = 0;
    QList<TFilaEtiqueta> ListaBlister;
    QList<TFilaEtiqueta> ListaOtros;
    QList<TFilaLeyenda> Leyenda;

    // The legend number of a product, lot and expiry text; 0 when it is not in the legend.
    int NumeroLeyenda(const QString &producto, const QString &lote, const QString &caducidad) const;
};

// The lists of one load, through the data module.
TDatosEtiquetas DatosEtiquetas(qint64 idRecarga);
