#include "core/patients/EntradaEditorTratamiento.h"

#include "core/patients/TratamientoPaciente.h"

TEntradaEditorTratamiento EntradaDeFila(const TFilaTratamiento &fila, bool soloLectura)
{
    TEntradaEditorTratamiento entrada;
    entrada.SPD = fila.Kelvo;
    entrada.SPDInicial = fila.Kelvo;
    entrada.SoloLectura = soloLectura;
    entrada.idMedicamento = fila.IdMedicamento;
    entrada.Medicamento = fila.Medicamento;
    entrada.Cantidad = fila.Cantidad;
    entrada.Medico = fila.Medico;
    entrada.Inicio = fila.Inicio;
    entrada.Fin = fila.Fin;
    entrada.Notas = fila.Notas;
    entrada.Dosis = fila.Dosis;
    entrada.DosisEtiqueta = fila.DosisEtiqueta.isEmpty() ? fila.Dosis : fila.DosisEtiqueta;
    entrada.DosisS1 = fila.DosisS1Real;
    return entrada;
}
