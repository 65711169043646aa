#include "core/loading/ProgresoCarga.h"

#include "core/dosing/URecarga.h"

namespace {

constexpr quint8 kMaquinaCancela = 4;

// Every reported count within the portion's plan, cell by cell.
bool CabeEnElPlan(const TDosis &porcion, const TArrayPastillas &pastillas)
{
    if (pastillas.size() > porcion.Plan.size())
        return false;
    for (qsizetype celda = 0; celda < pastillas.size(); ++celda) {
        if (pastillas[celda] < 0 || pastillas[celda] > porcion.Plan[celda])
            return false;
    }
    return true;
}

bool PorColocar(const TDosis *porcion)
{
    return porcion && porcion->EsSPD && porcion->Estado != EstadoDosis::kCompletado;
}

// The portion the report belongs to: the one being placed, else the next pending blister portion
// whose plan the counts fit; -1 when none.
int PorcionDelInforme(const TRecarga &carga, int indiceActual, const TArrayPastillas &pastillas)
{
    if (PorColocar(carga.Linea(indiceActual)) && CabeEnElPlan(*carga.Linea(indiceActual), pastillas))
        return indiceActual;
    for (int i = qMax(indiceActual + 1, 0); i < carga.Count(); ++i) {
        if (PorColocar(carga.Linea(i)) && CabeEnElPlan(*carga.Linea(i), pastillas))
            return i;
    }
    return -1;
}

// The first pending blister portion after the index; the index itself when there is none.
int SiguientePorColocar(const TRecarga &carga, int indice)
{
    for (int i = indice + 1; i < carga.Count(); ++i) {
        if (PorColocar(carga.Linea(i)))
            return i;
    }
    return indice;
}

} // namespace

TEfectoInforme AplicarInforme(TRecarga &carga, int &indiceActual, const TArrayPastillas &pastillas,
                              quint8 estado, qint32 colocadas)
{
    if (estado == kMaquinaCancela)
        return TEfectoInforme::Cancelar;
    if (carga.Completa())
        return TEfectoInforme::Ignorado;
    const int indice = PorcionDelInforme(carga, indiceActual, pastillas);
    if (indice < 0)
        return TEfectoInforme::Ignorado;
    TDosis &porcion = *carga.Linea(indice);
    // An empty report never wipes progress.
    if (!porcion.ActualIgualPlan() && EsArrayVacio(pastillas))
        return TEfectoInforme::Ignorado;
    indiceActual = indice;
    porcion.Estado = estado;
    porcion.Cargadas = colocadas;
    porcion.AsignarArray(pastillas);
    // Done with the portion: the machine goes on with the next medication it was handed. Not
    // the first pending portion, which may be one the machine left without enough units.
    if (!carga.Completa() && (estado == EstadoDosis::kCompletado || estado == EstadoDosis::kInsuficiente))
        indiceActual = SiguientePorColocar(carga, indice);
    return TEfectoInforme::Actualizado;
}
