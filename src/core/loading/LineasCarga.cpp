#include "core/loading/LineasCarga.h"

void TLineasCarga::AnadirLineaCarga(const TDosis &porcion, qint64 idInventario, qint64 centesimas,
                                    qint64 producto, const QDate &caducidad, const QString &lote)
{
    TLineaCarga linea;
    linea.idMedicamento = porcion.IdMedicamento;
    linea.Cantidad = centesimas;
    linea.Dosis = porcion.ListaSemana;
    linea.Lote = lote;
    linea.Caducidad = caducidad;
    linea.SPD = porcion.EsSPD;
    linea.Medicamento = porcion.Nombre;
    linea.Descripcion = porcion.AspectoCorto;
    linea.Posologia = porcion.DosisEtiqueta.isEmpty() ? porcion.Dosis : porcion.DosisEtiqueta;
    linea.idMedicamentoR = producto;
    linea.IDInventario = idInventario;

    for (TLineaCarga &existente : m_lineas) {
        if (existente.idMedicamento == linea.idMedicamento && existente.Dosis == linea.Dosis
            && existente.SPD == linea.SPD && existente.Medicamento == linea.Medicamento
            && existente.Lote == linea.Lote && existente.Caducidad == linea.Caducidad
            && existente.idMedicamentoR == linea.idMedicamentoR) {
            existente.Cantidad += centesimas;
            return;
        }
    }
    m_lineas.append(linea);
}

void TLineasCarga::AnadirLineaSinStock(const TDosis &porcion, qint64 centesimas)
{
    AnadirLineaCarga(porcion, 0, centesimas, porcion.IdMedicamento, kCaducidadSinStock, kLoteSinStock);
}
