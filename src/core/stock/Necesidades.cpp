#include "core/stock/Necesidades.h"

#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/dosing/ConsultaPlan.h"
#include "core/loading/TextosEtiqueta.h"
#include "core/stock/PendientesReceta.h"
#include "core/stock/uInventario.h"

#include <QHash>
#include <QSqlQuery>

#include <map>
#include <tuple>
#include <type_traits>

namespace {

constexpr int kDiasSemana = 7;

double DeCentesimas(qint64 centesimas)
{
    return static_cast<double>(centesimas) / 100.0;
}

// a + b added in whole hundredths, so that no floating-point residue builds up over many rows.
double SumaCentesimas(double a, double b)
{
    return DeCentesimas(EnCentesimas(a) + EnCentesimas(b));
}

// Rows summed per key, in order of first appearance: `nuevo` makes a group of a key's first row,
// `sumar` adds every row of the key (the first one too) to its group.
template<typename Fila, typename Clave, typename Nuevo, typename Sumar>
auto Agrupar(const QList<Fila> &filas, const Clave &clave, const Nuevo &nuevo, const Sumar &sumar)
{
    QList<std::invoke_result_t<Nuevo, const Fila &>> grupos;
    std::map<std::invoke_result_t<Clave, const Fila &>, qsizetype> indice;
    for (const Fila &fila : filas) {
        const auto [grupo, primera] = indice.try_emplace(clave(fila), grupos.size());
        if (primera)
            grupos << nuevo(fila);
        sumar(grupos[grupo->second], fila);
    }
    return grupos;
}

// Running numbers from 1, in list order.
void Numerar(QList<TFilaNecesidad> &filas)
{
    for (qsizetype i = 0; i < filas.size(); ++i)
        filas[i].NCarga = int(i + 1);
}

// Planned lines summed per key: quantities and portions summed, the week widened, the first line
// giving the other fields, numbered again from 1.
template<typename Clave>
QList<TFilaNecesidad> SumarCargas(const QList<TFilaNecesidad> &cargas, const Clave &clave)
{
    QList<TFilaNecesidad> sumas = Agrupar(
            cargas, clave,
            [](TFilaNecesidad primera) {
                primera.Porciones = 0;
                primera.CantNeed = primera.CantInv = primera.Faltan = 0.0;
                return primera;
            },
            [](TFilaNecesidad &suma, const TFilaNecesidad &fila) {
                suma.Porciones += fila.Porciones;
                suma.CantNeed = SumaCentesimas(suma.CantNeed, fila.CantNeed);
                suma.CantInv = SumaCentesimas(suma.CantInv, fila.CantInv);
                suma.Faltan = SumaCentesimas(suma.Faltan, fila.Faltan);
                suma.Fecini = qMin(suma.Fecini, fila.Fecini);
                suma.Fecfin = qMax(suma.Fecfin, fila.Fecfin);
            });
    Numerar(sumas);
    return sumas;
}

// One planned load line while the stock is consumed against it, in hundredths of a pill.
struct TLineaPlan
{
    TFilaNecesidad fila;
    qint64 porcion = 0; // one unit of the portion
    qint64 necesita = 0;
    qint64 cubre = 0;
};

// One row of the working copy of a patient's stock.
struct TStockCopia
{
    qint64 idMedicamento = 0;
    qint64 centesimas = 0;
    QDate caducidad;
};

// Loading takes a stock row for a week only when it expires after the week's last day; a row
// without expiry is never taken.
bool ValeParaLaSemana(const TStockCopia &stock, const QDate &finSemana)
{
    return stock.caducidad.isValid() && stock.caducidad > finSemana;
}

QDate UltimaCarga(TDM &dm, qint64 idPaciente)
{
    return SqlFecha::leerDia(
            dm.Valor(QStringLiteral("SELECT FechaUltimaCargaRealizada FROM Paciente WHERE idPaciente = ?"),
                     {idPaciente}));
}

// The patient's stock rows in the order they were entered, the order loading consumes them.
QList<TStockCopia> CopiaStock(TDM &dm, qint64 idPaciente)
{
    TConsulta query
            = dm.Consulta(QStringLiteral("SELECT idMedicamento, CantidadRestante, Caducidad "
                                         "FROM Inventario WHERE idPaciente = ? ORDER BY idInventario"),
                          {idPaciente});
    QList<TStockCopia> stock;
    while (query.next()) {
        const qint64 centesimas = EnCentesimas(query.value(1).toDouble());
        if (centesimas > 0)
            stock << TStockCopia {query.value(0).toLongLong(), centesimas, SqlFecha::leerDia(query.value(2))};
    }
    return stock;
}

// The portions of the patient's load for the week from `inicio` that will be filled, in load order.
QList<TLineaPlan> LineasSemana(TDM &dm, const TPacienteNecesidad &paciente, const QDate &inicio)
{
    const QDate fin = inicio.addDays(kDiasSemana - 1);
    TRecarga carga;
    ConstruirCarga(carga, ConsultaPlan(dm, paciente.IdPaciente, inicio, fin), inicio, fin);
    QList<TLineaPlan> lineas;
    for (int i = 0; i < carga.Count(); ++i) {
        const TDosis &porcion = *carga.Linea(i);
        // Outside the blister nothing is filled; a week never expanded carries -1 as a marker.
        if (!porcion.EsSPD || porcion.SinExpandir())
            continue;
        TLineaPlan linea;
        linea.fila.IdPaciente = paciente.IdPaciente;
        linea.fila.RefPaciente = paciente.refPaciente;
        linea.fila.Nombre = paciente.Nombre;
        linea.fila.Categoria = paciente.Categoria;
        linea.fila.Fecini = inicio;
        linea.fila.Fecfin = fin;
        linea.fila.IdMedicamento = porcion.IdMedicamento;
        linea.fila.Medicamento = porcion.Nombre;
        linea.fila.Porcion = porcion.Porcion;
        linea.fila.Porciones = porcion.Carga;
        linea.porcion = EnCentesimas(porcion.Porcion);
        linea.necesita = porcion.Carga * linea.porcion;
        lineas << linea;
    }
    return lineas;
}

// Covers the lines, in order, from the stock copy, oldest row first: a row gives only whole
// portions (what is left of it after the largest multiple of the portion stays in the row) and
// only to weeks it outlasts.
void CubrirConStock(QList<TLineaPlan> &lineas, QList<TStockCopia> &stock)
{
    for (TLineaPlan &linea : lineas) {
        qint64 falta = linea.necesita;
        for (auto fila = stock.begin(); fila != stock.end() && falta > 0;) {
            if (fila->idMedicamento != linea.fila.IdMedicamento
                || !ValeParaLaSemana(*fila, linea.fila.Fecfin)) {
                ++fila;
                continue;
            }
            const qint64 tomadas = qMin(falta, fila->centesimas - fila->centesimas % linea.porcion);
            fila->centesimas -= tomadas;
            falta -= tomadas;
            linea.cubre += tomadas;
            fila = fila->centesimas == 0 ? stock.erase(fila) : std::next(fila);
        }
    }
}

QList<TFilaNecesidad> NecesidadesPaciente(TDM &dm, const TPacienteNecesidad &paciente, int semanas,
                                          const QDate &hoy)
{
    const QDate inicio = InicioProximaCarga(UltimaCarga(dm, paciente.IdPaciente), hoy);
    QList<TLineaPlan> lineas;
    for (int semana = 0; semana < semanas; ++semana)
        lineas << LineasSemana(dm, paciente, inicio.addDays(qint64(kDiasSemana) * semana));
    if (TInventario(dm).ConInventario(paciente.IdPaciente)) {
        QList<TStockCopia> stock = CopiaStock(dm, paciente.IdPaciente);
        CubrirConStock(lineas, stock);
    } else {
        for (TLineaPlan &linea : lineas)
            linea.cubre = linea.necesita;
    }
    QList<TFilaNecesidad> filas;
    filas.reserve(lineas.size());
    for (TLineaPlan &linea : lineas) {
        linea.fila.CantNeed = DeCentesimas(linea.necesita);
        linea.fila.CantInv = DeCentesimas(linea.cubre);
        linea.fila.Faltan = DeCentesimas(linea.necesita - linea.cubre);
        filas << linea.fila;
    }
    return filas;
}

// Whole boxes holding at least the missing hundredths.
double CajasParaCubrir(qint64 faltan, int unidadesPorCaja)
{
    const qint64 caja = qint64(unidadesPorCaja) * 100;
    return double((faltan + caja - 1) / caja);
}

TMedicamentoNecesidad MedicamentoDe(const TFilaNecesidad &fila)
{
    TMedicamentoNecesidad medicamento;
    medicamento.IdMedicamento = fila.IdMedicamento;
    medicamento.Medicamento = TextosEtiqueta::SinPrefijoFraccion(fila.Medicamento);
    return medicamento;
}

} // namespace

QList<TPacienteNecesidad> PacientesNecesidad(TDM &dm, const TFiltroPacientesNecesidad &filtro)
{
    QString sql = TDM::ListaPacientesSql() + QStringLiteral(" WHERE COALESCE(p.Iactivo, 1) <> 0");
    QVariantList valores;
    if (!filtro.todos && filtro.codCategoria == 0) {
        sql += QStringLiteral(" AND COALESCE(p.CodCategoria, 0) = 0");
    } else if (!filtro.todos) {
        sql += QStringLiteral(" AND p.CodCategoria = ?");
        valores << filtro.codCategoria;
    }
    TConsulta query = dm.Consulta(sql + QStringLiteral(" ORDER BY p.refPaciente, p.idPaciente"), valores);
    QList<TPacienteNecesidad> pacientes;
    while (query.next()) {
        TPacienteNecesidad paciente;
        paciente.IdPaciente = query.value(QStringLiteral("idPaciente")).toLongLong();
        paciente.refPaciente = query.value(QStringLiteral("refPaciente")).toString();
        paciente.DNI = query.value(QStringLiteral("DNI")).toString();
        paciente.Nombre = query.value(QStringLiteral("Nombre")).toString();
        paciente.Categoria = query.value(QStringLiteral("CategoriaText")).toString();
        if (paciente.Categoria.isEmpty())
            paciente.Categoria = QStringLiteral(" ");
        pacientes << paciente;
    }
    return pacientes;
}

QList<TFilaNecesidad> CalcularNecesidades(TDM &dm, int semanas, const QList<TPacienteNecesidad> &pacientes,
                                          const QDate &hoy, const TAvanceNecesidades &avance)
{
    QList<const TPacienteNecesidad *> elegidos;
    for (const TPacienteNecesidad &paciente : pacientes) {
        if (paciente.Selected)
            elegidos << &paciente;
    }
    QList<TFilaNecesidad> cargas;
    int hechos = 0;
    for (const TPacienteNecesidad *paciente : elegidos) {
        cargas << NecesidadesPaciente(dm, *paciente, semanas, hoy);
        ++hechos;
        if (avance && !avance(hechos, int(elegidos.size())))
            break;
    }
    Numerar(cargas);
    return cargas;
}

QList<TFilaNecesidad> ResumenCargas(const QList<TFilaNecesidad> &cargas)
{
    return SumarCargas(cargas, [](const TFilaNecesidad &fila) {
        return std::tuple(fila.IdPaciente, fila.IdMedicamento, EnCentesimas(fila.Porcion));
    });
}

QList<TFilaNecesidad> ListaPedido(TDM &dm, const QList<TFilaNecesidad> &cargas)
{
    QHash<qint64, std::pair<QString, int>> catalogo; // name and units per box of each medication
    QList<TFilaNecesidad> pedido;
    const auto sumas = SumarCargas(cargas, [](const TFilaNecesidad &fila) {
        return std::pair(fila.IdPaciente, fila.IdMedicamento);
    });
    for (TFilaNecesidad fila : sumas) {
        const qint64 faltan = EnCentesimas(fila.Faltan);
        if (faltan <= 0)
            continue;
        auto medicamento = catalogo.constFind(fila.IdMedicamento);
        if (medicamento == catalogo.cend())
            medicamento = catalogo.insert(
                    fila.IdMedicamento,
                    {dm.NombreMedicamento(fila.IdMedicamento), UnidadesPorCaja(dm, fila.IdMedicamento)});
        const auto &[nombre, unidades] = *medicamento;
        fila.Medicamento = nombre;
        fila.SinUnidadesCaja = unidades <= 0;
        fila.Cajas = fila.SinUnidadesCaja ? 0.0 : CajasParaCubrir(faltan, unidades);
        pedido << fila;
    }
    Numerar(pedido);
    return pedido;
}

QList<TMedicamentoNecesidad> MedicamentosQueFaltan(const QList<TFilaNecesidad> &pedido,
                                                   const QList<TFilaNecesidad> &cargas, bool conStock)
{
    const auto porMedicamento = [](const TFilaNecesidad &fila) { return fila.IdMedicamento; };
    if (!conStock) {
        // Stock is not kept: the gross need.
        return Agrupar(cargas, porMedicamento, MedicamentoDe,
                       [](TMedicamentoNecesidad &suma, const TFilaNecesidad &fila) {
                           suma.Faltan = SumaCentesimas(suma.Faltan, fila.CantNeed);
                       });
    }
    return Agrupar(pedido, porMedicamento, MedicamentoDe,
                   [](TMedicamentoNecesidad &suma, const TFilaNecesidad &fila) {
                       suma.Faltan = SumaCentesimas(suma.Faltan, fila.Faltan);
                       suma.Cajas += fila.Cajas;
                       suma.SinUnidadesCaja = suma.SinUnidadesCaja || fila.SinUnidadesCaja;
                   });
}

QList<TMedicamentoNecesidad> MedicamentosNecesarios(const QList<TFilaNecesidad> &cargas)
{
    return Agrupar(
            cargas,
            [](const TFilaNecesidad &fila) { return std::pair(fila.IdMedicamento, fila.Medicamento); },
            [](const TFilaNecesidad &fila) {
                TMedicamentoNecesidad medicamento;
                medicamento.IdMedicamento = fila.IdMedicamento;
                medicamento.Medicamento = fila.Medicamento;
                return medicamento;
            },
            [](TMedicamentoNecesidad &suma, const TFilaNecesidad &fila) {
                suma.Faltan = SumaCentesimas(suma.Faltan, fila.CantNeed);
                suma.Cajas += fila.Porciones;
            });
}

QList<TPacienteMedicamento> PacientesDeMedicamento(qint64 idMedicamento, const QList<TFilaNecesidad> &pedido)
{
    QList<TFilaNecesidad> filas;
    for (const TFilaNecesidad &fila : pedido) {
        if (fila.IdMedicamento == idMedicamento)
            filas << fila;
    }
    return Agrupar(
            filas, [](const TFilaNecesidad &fila) { return fila.IdPaciente; },
            [](const TFilaNecesidad &fila) {
                TPacienteMedicamento paciente;
                paciente.IdPaciente = fila.IdPaciente;
                paciente.RefPaciente = fila.RefPaciente;
                paciente.Nombre = fila.Nombre;
                paciente.Categoria = fila.Categoria;
                return paciente;
            },
            [](TPacienteMedicamento &suma, const TFilaNecesidad &fila) {
                suma.Faltan = SumaCentesimas(suma.Faltan, fila.Faltan);
                suma.Cajas += fila.Cajas;
            });
}

int UnidadesPorCaja(TDM &dm, qint64 idMedicamento)
{
    return dm
            .Valor(QStringLiteral("SELECT Unidades FROM Medicamento WHERE idMedicamento = ?"),
                   {idMedicamento})
            .toInt();
}
