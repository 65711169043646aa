#pragma once

#include "core/loading/EtiquetasCarga.h"

// The base label sheet ("LB-m.000"), A5 landscape: the outside face on the left half (patient,
// load number and dates, pharmacy, photo or logo), the inside face on the right half (doctor,
// medication in and outside the blister in fixed columns, lots and expiry dates, bar code).
class TQREtiquetasForm
{
public:
    static TReportDocument Construir(const TEtiquetaCarga &etiqueta, const TOpcionesEtiqueta &opciones);
    virtual ~TQREtiquetasForm() = default;

protected:
    TQREtiquetasForm(const TEtiquetaCarga &etiqueta, const TOpcionesEtiqueta &opciones);
    TReportDocument construir();

    // The name printed for a medication, in the blister or outside it.
    virtual QString Nombre(const TFilaEtiqueta &fila) const;
    // Whether the sheet has a column of the pills of each blister medication, and what it holds.
    virtual bool ConCantidades() const;
    virtual QString CantidadBlister(const TFilaEtiqueta &fila) const;

    const TEtiquetaCarga &m_etiqueta;
    const TOpcionesEtiqueta &m_opciones;

private:
    void caraExterior(ReportBand &banda) const;
    void caraInterior(ReportBand &banda) const;
};

// "LB-m.001": the base sheet with the pills of each blister medication in the blister, in a
// column before its name (so the figure never runs into the medication number); in the United
// Kingdom the names go without the medication numbers.
class TQREtiquetasForm_002 : public TQREtiquetasForm
{
public:
    static TReportDocument Construir(const TEtiquetaCarga &etiqueta, const TOpcionesEtiqueta &opciones);

protected:
    using TQREtiquetasForm::TQREtiquetasForm;
    QString Nombre(const TFilaEtiqueta &fila) const override;
    bool ConCantidades() const override;
    QString CantidadBlister(const TFilaEtiqueta &fila) const override;
};
