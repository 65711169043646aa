#include "ui/stock/TAltaStock.h"

#include "core/data/ManejadorErrores.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/medication/TCatalogoMedicamentos.h"
#include "core/stock/uInventario.h"
#include "ui/medication/FDlgMedicamentoEditar.h"
#include "ui/medication/FDlgPedirMedicamento.h"
#include "ui/shell/Mensajes.h"

std::optional<TStockAnadido> TAltaStock::Ejecutar(qint64 esperado)
{
    TMedicamentoPedido pedido;
    if (!PedirMedicamento(esperado, pedido, m_parent))
        return std::nullopt;
    TDM &dm = DM();
    TInventario inventario(dm);
    const bool farmaceutico = dm.Usuario && dm.Usuario->esFarmaceutico;
    if (!inventario.PuedeAnadirStock(farmaceutico, m_idPaciente, pedido.idMedicamento)) {
        MostrarAviso(Traducir(QStringLiteral("WRN_CAMBIO_TRATAMIENTO"),
                              QStringLiteral("NO TIENES PERMISO PARA MODIFICAR TRATAMIENTO")));
        return std::nullopt;
    }
    if (m_completar && !CompletarMedicamento(pedido.idMedicamento))
        return std::nullopt;
    const std::optional<TFichaMedicamento> ficha = TCatalogoMedicamentos(dm).Ficha(pedido.idMedicamento);
    if (!ficha)
        return std::nullopt; // removed from the catalogue meanwhile
    if (m_editorLinea && !inventario.TieneLineaTratamiento(m_idPaciente, pedido.idMedicamento)) {
        const QString medico
                = dm.Valor(QStringLiteral("SELECT MedicoNombre FROM Paciente WHERE idPaciente = ?"),
                           {m_idPaciente})
                          .toString();
        if (!m_editorLinea({ficha->SPD, pedido.idMedicamento, ficha->Nombre, pedido.Lote, pedido.Caducidad,
                            ficha->Unidades, medico}))
            return std::nullopt;
    }
    TEntradaStock entrada;
    entrada.idPaciente = m_idPaciente;
    entrada.idMedicamento = pedido.idMedicamento;
    entrada.IdMedicamentoReal = pedido.IdMedicamentoReal;
    entrada.Lote = pedido.Lote;
    entrada.Caducidad = pedido.Caducidad;
    entrada.Cantidad = ficha->Unidades; // one whole box
    qint64 id = 0;
    if (!ManejadorErrores::Proteger(
                [&] { id = m_guardar ? m_guardar(entrada) : inventario.AltaStock(entrada); }))
        return std::nullopt;
    return TStockAnadido {id, entrada.idMedicamento};
}

bool TAltaStock::CompletarMedicamento(qint64 idMedicamento)
{
    const std::optional<TFichaMedicamento> ficha = TCatalogoMedicamentos(DM()).Ficha(idMedicamento);
    if (!ficha || ficha->Definido)
        return true;
    MostrarAviso(Traducir(QStringLiteral("WRN_MEDICAMENTO_PENDIENTE_COMPLETAR"),
                          QStringLiteral("TIENE PENDIENTE DE COMPLETAR LOS DATOS DEL MEDICAMENTO")));
    TDlgMedicamentoEditar editor(idMedicamento, m_parent);
    if (editor.exec() != QDialog::Accepted)
        return false;
    MostrarAviso(Traducir(QStringLiteral("WRN_MEDICAMENTOS_COMPLETOS"),
                          QStringLiteral("LOS DATOS DEL MEDICAMENTO ESTAN COMPLETOS")));
    return true;
}
