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

    // The name printed for a blister medication and for one outside the blister.
    virtual QString NombreBlister(const TFilaEtiqueta &fila) const;
    virtual QString NombreOtro(const TFilaEtiqueta &fila) const;

    const TEtiquetaCarga &m_etiqueta;
    const TOpcionesEtiqueta &m_opciones;

private:
    void caraExterior(ReportBand &banda) const;
    void caraInterior(ReportBand &banda) const;
};

// "LB-m.001": the base sheet with each blister medication's name preceded by the pills of it in
// the blister; in the United Kingdom without the medication numbers.
class TQREtiquetasForm_002 : public TQREtiquetasForm
{
public:
    static TReportDocument Construir(const TEtiquetaCarga &etiqueta, const TOpcionesEtiqueta &opciones);

protected:
    using TQREtiquetasForm::TQREtiquetasForm;
    QString NombreBlister(const TFilaEtiqueta &fila) const override;
    QString NombreOtro(const TFilaEtiqueta &fila) const override;

private:
    QString SinNumero(const TFilaEtiqueta &fila) const;
};
