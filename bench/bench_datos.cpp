#include "BenchServidor.h"
#include "SueloEscritura.h"
// The data store after ten years of a pharmacy: 5,000 patients, each with a weekly load of 10
// lines for 520 weeks (2.6 million loads, 26 million lines), their stock rows, a treatment
// version every quarter and a few audited accesses a week. Measures what each screen reads before
// it shows its first page, the lookups the load screen makes, and storing a load beside the floor
// of any store (21 rows in one transaction on the same connection). On SQLite and, when
// PASTILLERO_BENCH_PGURL (or PASTILLERO_TEST_PGURL) names a PostgreSQL database, on PostgreSQL.
// The filled databases are kept (bench-data.dat beside the executable, schema "bench" on the
// server) with the size they were filled for (table bench_info), so later runs of the same size
// skip the filling and a run of another size fills them again from nothing.
//
//   bench_datos [--benchmark_filter=...]
//   PASTILLERO_BENCH_PATIENTS=n (5000)   PASTILLERO_BENCH_YEARS=n (10)
//   PASTILLERO_BENCH_SQLITE=0 measures the server alone (bench-data.dat is neither filled nor read)

#include "core/audit/ConsultaAuditoria.h"
#include "core/audit/FiltroAuditoria.h"
#include "core/audit/ModeloAuditoria.h"
#include "core/common/AppError.h"
#include "core/data/DatabaseSchema.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/loading/ModeloCargas.h"
#include "core/medication/TCatalogoMedicamentos.h"
#include "core/patients/ListaPacientes.h"
#include "core/stock/ModeloInventario.h"
#include "core/stock/ModeloTrazabilidad.h"
#include "core/stock/StockCategoria.h"
#include "core/stock/Trazabilidad.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QUrl>
#include <QUrlQuery>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>

namespace {

constexpr int kLineasTratamiento = 10; // a patient's treatment lines, and so the lines of a load
constexpr int kMedicamentosEnStock = 20; // this treatment's and the ones it replaced over the years
constexpr int kLotesPorMedicamento = 3; // the last one holds pills, the older ones are used up
constexpr int kSemanasPorVersion = 13; // a treatment version a quarter
constexpr int kAccesosPorSemana = 3; // audited accesses to a patient's data each week
constexpr int kMedicamentosUsados = 200; // the catalogue's other 200 are the pharmacy's own, unused
const QDate kPrimerLunes(2015, 1, 5);
const QString kPrimerDia = QStringLiteral("2015-01-05");
// A medication created in the pharmacy that nothing names: the in-use check must look everywhere.
constexpr qint64 kMedicamentoSinUso = 6500000 + kMedicamentosUsados + 1;

struct TTamanoDatos
{
    int pacientes = 5000;
    int semanas = 520;

    bool operator==(const TTamanoDatos &) const = default;
    int versiones() const { return (semanas + kSemanasPorVersion - 1) / kSemanasPorVersion; }
    // The Monday of the last week loaded; the loads of the weeks before it were delivered.
    QDate ultimoLunes() const { return kPrimerLunes.addDays(7 * semanas); }
};

TTamanoDatos tamanoPedido()
{
    TTamanoDatos tamano;
    if (const int pacientes = qEnvironmentVariableIntValue("PASTILLERO_BENCH_PATIENTS"); pacientes > 0)
        tamano.pacientes = pacientes;
    if (const int anios = qEnvironmentVariableIntValue("PASTILLERO_BENCH_YEARS"); anios > 0)
        tamano.semanas = 52 * anios;
    return tamano;
}

// The engine's form of "the first Monday plus some days, hours and minutes" (each an SQL
// expression) for statements that generate rows; stored as the application stores times.
QString momento(SqlEngine motor, const QString &dias, const QString &horas = QStringLiteral("0"),
                const QString &minutos = QStringLiteral("0"))
{
    if (motor == SqlEngine::SQLite)
        return QStringLiteral("strftime('%Y-%m-%dT%H:%M:00.000Z', '%1', '+' || (%2) || ' days', "
                              "'+' || (%3) || ' hours', '+' || (%4) || ' minutes')")
                .arg(kPrimerDia, dias, horas, minutos);
    return QStringLiteral("(TIMESTAMP '%1' + (%2) * INTERVAL '1 day' + (%3) * INTERVAL '1 hour' + (%4) * "
                          "INTERVAL '1 minute')")
            .arg(kPrimerDia, dias, horas, minutos);
}

// The code of a patient's medication: line `linea` of the treatment, `desplazamiento` lines
// further on in older versions, so that over the years a patient's treatment changes.
QString medicamento(const QString &paciente, const QString &linea, const QString &desplazamiento)
{
    return QStringLiteral("(6500000 + ((%1 * 7 + %2 + %3) % %4) + 1)")
            .arg(paciente, linea, desplazamiento)
            .arg(kMedicamentosUsados);
}

// How far the version in force in week `semana` is from the current one, in treatment lines.
QString desplazamientoDeSemana(const QString &semana, const TTamanoDatos &tamano)
{
    return QStringLiteral("((%1 - (%2)) * %3 / %1)").arg(tamano.semanas).arg(semana).arg(kLineasTratamiento);
}

// --- Filling: the data set, not the code under measure -----------------------------------------

class TLlenado
{
public:
    TLlenado(TDM &dm, const TTamanoDatos &tamano)
        : m_dm(dm)
        , m_tamano(tamano)
        , m_motor(dm.motor())
    { }

    void Llenar()
    {
        std::fprintf(stderr, "filling %s: %d patients, %d weeks\n", qPrintable(m_dm.conexion().describe()),
                     m_tamano.pacientes, m_tamano.semanas);
        QElapsedTimer total;
        total.start();
        // Indexes are built once over the whole data, not kept up row by row.
        paso("indexes dropped", [&] { quitarIndices(); });
        paso("catalogue, users, patients", [&] { maestros(); });
        paso("treatment lines and versions", [&] { tratamientos(); });
        paso("loads", [&] { cargas(); });
        paso("load lines", [&] { lineasCarga(); });
        paso("stock rows", [&] { inventario(); });
        paso("audit rows", [&] { auditoria(); });
        paso("indexes built", [&] { crearIndices(); });
        m_dm.Ejecutar(QStringLiteral("DROP TABLE bench_n"));
        // PostgreSQL's VACUUM (outside a transaction) also sets the visibility map that a database
        // in use for years has, so that index-only reads are possible.
        cronometrar("statistics", [&] {
            m_dm.Ejecutar(m_motor == SqlEngine::PostgreSQL ? QStringLiteral("VACUUM ANALYZE")
                                                           : QStringLiteral("ANALYZE"));
        });
        m_dm.Ejecutar(QStringLiteral("CREATE TABLE bench_info (pacientes INTEGER, semanas INTEGER)"));
        m_dm.Ejecutar(QStringLiteral("INSERT INTO bench_info (pacientes, semanas) VALUES (%1, %2)")
                              .arg(m_tamano.pacientes)
                              .arg(m_tamano.semanas));
        std::fprintf(stderr, "filled in %.0f s\n", double(total.elapsed()) / 1000.0);
    }

private:
    void cronometrar(const char *nombre, const std::function<void()> &trabajo)
    {
        QElapsedTimer reloj;
        reloj.start();
        trabajo();
        std::fprintf(stderr, "  %-30s %6.0f s\n", nombre, double(reloj.elapsed()) / 1000.0);
    }

    void paso(const char *nombre, const std::function<void()> &trabajo)
    {
        cronometrar(nombre, [&] { m_dm.EnTransaccion(trabajo); });
    }

    void quitarIndices()
    {
        for (const DatabaseSchema::Index &indice : DatabaseSchema::indexes())
            m_dm.Ejecutar(QStringLiteral("DROP INDEX IF EXISTS ") + indice.name);
    }

    void crearIndices()
    {
        if (m_motor == SqlEngine::PostgreSQL)
            m_dm.Ejecutar(QStringLiteral("SET LOCAL maintenance_work_mem = '512MB'"));
        for (const DatabaseSchema::Index &indice : DatabaseSchema::indexes())
            m_dm.Ejecutar(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                                  .arg(indice.name, indice.table, indice.expression));
    }

    void maestros()
    {
        const int numeros = std::max({m_tamano.pacientes, m_tamano.semanas, 2 * kMedicamentosUsados});
        m_dm.Ejecutar(QStringLiteral("CREATE TABLE bench_n (i INTEGER PRIMARY KEY)"));
        m_dm.Ejecutar(QStringLiteral("INSERT INTO bench_n (i) WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL "
                                     "SELECT i + 1 FROM n WHERE i < %1) SELECT i FROM n")
                              .arg(numeros));
        m_dm.Ejecutar(QStringLiteral("INSERT INTO Usuario (idUsuario, Nombre, username, idPerfil) "
                                     "VALUES (1, 'PEPA', 'pepa', 1), (2, 'LUIS', 'luis', 1)"));
        m_dm.Ejecutar(
                QStringLiteral("INSERT INTO TabMaestras (CodTab, Codigo, Descripcion) SELECT %1, i - 1, "
                               "'RESIDENCIA ' || i FROM bench_n WHERE i <= 5")
                        .arg(TDM::kListaCategorias));
        m_dm.Ejecutar(
                QStringLiteral(
                        "INSERT INTO Medicamento (idMedicamento, Medicamento, Descripcion, SPD, Volumen, "
                        "iManual) "
                        "SELECT 6500000 + i, 'MEDICAMENTO ' || i, '10 MG 30 COMPRIMIDOS', 1, i % 3 + 1, "
                        "CASE WHEN i > %1 THEN 1 ELSE 0 END FROM bench_n WHERE i <= %2")
                        .arg(kMedicamentosUsados)
                        .arg(2 * kMedicamentosUsados));
        // One patient in eight left the pharmacy over the years.
        m_dm.Ejecutar(
                QStringLiteral(
                        "INSERT INTO Paciente (refPaciente, DNI, Nombre, Telefono, Iactivo, CodCategoria, "
                        "IConInven, NumeroUltimaCargaRealizada, FechaUltimaCargaRealizada) "
                        "SELECT 'P-' || i, '' || (10000000 + i), 'PACIENTE ' || i, '' || (600000000 + i), "
                        "CASE WHEN i % 8 = 0 THEN 0 ELSE 1 END, i % 5, 1, %1, %2 FROM bench_n WHERE i <= %3 "
                        "ORDER BY i")
                        .arg(m_tamano.semanas)
                        .arg(momento(m_motor, QString::number(7 * m_tamano.semanas)))
                        .arg(m_tamano.pacientes));
    }

    // The treatment in force and its versions, a quarter apart, each a copy of the treatment's
    // lines (identifiers in order of creation: line l of patient p is ((p - 1) * 10 + l)).
    void tratamientos()
    {
        const int versiones = m_tamano.versiones();
        m_dm.Ejecutar(
                QStringLiteral("INSERT INTO SPD (idPaciente, idMedicamento, Inicio, Dosis, DosisS1, "
                               "Cantidad) SELECT p.idPaciente, %1, %2, '1-0-1-0:D:D:1', "
                               "'1-0-1-0:D:D:1', 60 FROM Paciente p, bench_n l WHERE l.i <= %3 "
                               "ORDER BY p.idPaciente, l.i")
                        .arg(medicamento(QStringLiteral("p.idPaciente"), QStringLiteral("l.i"),
                                         QStringLiteral("0")),
                             momento(m_motor, QString::number((versiones - 1) * 7 * kSemanasPorVersion)))
                        .arg(kLineasTratamiento));
        const QString desplazamiento
                = QStringLiteral("((%1 - v.i) * %2 / %1)").arg(versiones).arg(kLineasTratamiento);
        m_dm.Ejecutar(
                QStringLiteral(
                        "INSERT INTO SPDHIST (IdVersion, ID, FechaActualizacion, IDPaciente, IDMedicamento, "
                        "Inicio, Dosis, SPDP, username, IuCarga, Fecultcarga) "
                        "SELECT v.i, (p.idPaciente - 1) * %1 + l.i, %2, p.idPaciente, %3, %4, "
                        "'1-0-1-0:D:D:1', 0, 'pepa', 1, %2 FROM bench_n v, Paciente p, bench_n l "
                        "WHERE v.i <= %5 AND l.i <= %1 ORDER BY v.i, p.idPaciente, l.i")
                        .arg(kLineasTratamiento)
                        .arg(momento(m_motor, QStringLiteral("(v.i - 1) * %1").arg(7 * kSemanasPorVersion),
                                     QStringLiteral("10")),
                             medicamento(QStringLiteral("p.idPaciente"), QStringLiteral("l.i"),
                                         desplazamiento),
                             momento(m_motor, QStringLiteral("(v.i - 1) * %1").arg(7 * kSemanasPorVersion)))
                        .arg(versiones));
    }

    // A patient's load of week w is made on the Friday before it, week after week, so the loads'
    // identifiers follow time. All but the last four weeks' were delivered, one in ten of those
    // returned, and one patient's loads in three validated.
    void cargas()
    {
        const QString hecho = momento(m_motor, QStringLiteral("(w.i - 1) * 7 + 4"), QStringLiteral("9"),
                                      QStringLiteral("p.idPaciente % 60"));
        const QString inicio = momento(m_motor, QStringLiteral("w.i * 7"));
        const QString fin = momento(m_motor, QStringLiteral("w.i * 7 + 6"));
        m_dm.Ejecutar(
                QStringLiteral(
                        "INSERT INTO Recarga (refRecarga, idPaciente, FechaRealizado, FechaInicio, FechaFin, "
                        "Estado, idTipoBlister, idTratamiento, idUsuario, FechaEntrega, FechaRetornado, "
                        "IdValidador, FechaValidado) "
                        "SELECT w.i, p.idPaciente, %1, %2, %3, 0, 0, 0, 1 + p.idPaciente % 2, "
                        "CASE WHEN w.i <= %4 THEN %2 END, "
                        "CASE WHEN w.i <= %4 AND (p.idPaciente + w.i) % 10 = 0 THEN %3 END, "
                        "CASE WHEN p.idPaciente % 3 = 0 THEN 2 END, "
                        "CASE WHEN p.idPaciente % 3 = 0 THEN %1 END "
                        "FROM bench_n w, Paciente p WHERE w.i <= %5 ORDER BY w.i, p.idPaciente")
                        .arg(hecho, inicio, fin)
                        .arg(m_tamano.semanas - 4)
                        .arg(m_tamano.semanas));
    }

    // The lines of each load written together, as a store writes them; a year of loads per
    // statement. A line's lot is its medication's lot of that quarter.
    void lineasCarga()
    {
        const qint64 primera = m_dm.Valor(QStringLiteral("SELECT MIN(idRecarga) FROM Recarga")).toLongLong();
        const qint64 ultima = m_dm.Valor(QStringLiteral("SELECT MAX(idRecarga) FROM Recarga")).toLongLong();
        const qint64 porAnio = qint64(52) * m_tamano.pacientes;
        const QString codigo = medicamento(QStringLiteral("r.idPaciente"), QStringLiteral("l.i"),
                                           desplazamientoDeSemana(QStringLiteral("r.refRecarga"), m_tamano));
        for (qint64 desde = primera; desde <= ultima; desde += porAnio)
            m_dm.Ejecutar(
                    QStringLiteral(
                            "INSERT INTO RecargaLinea (idRecarga, idMedicamento, idMedicamentoR, Cantidad, "
                            "Dosis, "
                            "Lote, Caducidad, SPD, Medicamento, descripcion, posologia) "
                            "SELECT r.idRecarga, %1, %1, 14, '1-0-1-0:D:D:1', 'L' || %1 || '/' || "
                            "(r.refRecarga / %2), %3, 1, 'MEDICAMENTO ' || (%1 - 6500000), "
                            "'10 MG 30 COMPRIMIDOS', '1 DESAYUNO, 1 CENA' FROM Recarga r, bench_n l "
                            "WHERE r.idRecarga BETWEEN %4 AND %5 AND l.i <= %6 ORDER BY r.idRecarga, l.i")
                            .arg(codigo)
                            .arg(kSemanasPorVersion)
                            .arg(momento(m_motor, QStringLiteral("r.refRecarga * 7 + 730")))
                            .arg(desde)
                            .arg(desde + porAnio - 1)
                            .arg(kLineasTratamiento));
    }

    // For every medication a patient took over the years, a few lots: the older ones used up (a
    // load keeps its rows at zero), the last one of a current medication with pills left.
    void inventario()
    {
        const QString codigo
                = medicamento(QStringLiteral("p.idPaciente"), QStringLiteral("m.i"), QStringLiteral("0"));
        const int ultimoTrimestre = m_tamano.semanas / kSemanasPorVersion;
        m_dm.Ejecutar(
                QStringLiteral("INSERT INTO Inventario (idPaciente, idMedicamento, IdMedicamentoReal, Lote, "
                               "Caducidad, "
                               "CantidadRestante, FechaAsignacion, TipoAsignacion) "
                               "SELECT p.idPaciente, %1, %1, 'L' || %1 || '/' || (%2 - %3 + k.i), %4, "
                               "CASE WHEN m.i <= %5 AND k.i = %3 THEN 30 ELSE 0 END, %6, 1 "
                               "FROM Paciente p, bench_n m, bench_n k WHERE m.i <= %7 AND k.i <= %3 "
                               "ORDER BY p.idPaciente, m.i, k.i")
                        .arg(codigo)
                        .arg(ultimoTrimestre)
                        .arg(kLotesPorMedicamento)
                        .arg(momento(m_motor, QStringLiteral("%1 + k.i * 91").arg(7 * m_tamano.semanas)))
                        .arg(kLineasTratamiento)
                        .arg(momento(m_motor,
                                     QStringLiteral("%1 - (%2 - k.i) * 91")
                                             .arg(7 * m_tamano.semanas)
                                             .arg(kLotesPorMedicamento)))
                        .arg(kMedicamentosEnStock));
    }

    // A few accesses to each patient's data every week (the load screen, the treatment, the
    // card), in the order they happened; a year per statement. The audit row names the patient by
    // its identifier, as the application writes it.
    void auditoria()
    {
        for (int desde = 1; desde <= m_tamano.semanas; desde += 52)
            m_dm.Ejecutar(
                    QStringLiteral(
                            "INSERT INTO LOPD_Auditoria (FAudit, Username, UserOS, Maquina, Accion, "
                            "Resultado, "
                            "Operacion, refPaciente) "
                            "SELECT %1, CASE WHEN p.idPaciente % 2 = 0 THEN 'pepa' ELSE 'luis' END, "
                            "'farmacia', "
                            "'MOSTRADOR' || (p.idPaciente % 3 + 1), "
                            "CASE k.i WHEN 1 THEN 'PACIENTE CARGAS' WHEN 2 THEN 'TRATAMIENTO DEL PACIENTE' "
                            "ELSE 'FICHA PACIENTE' END, 'ACEPTADO', "
                            "CASE WHEN k.i = 3 AND w.i % 4 = 0 THEN 'MODIFICACION' ELSE 'CONSULTA' END, "
                            "'' || p.idPaciente FROM bench_n w, bench_n k, Paciente p "
                            "WHERE w.i BETWEEN %2 AND %3 AND k.i <= %4 ORDER BY w.i, k.i, p.idPaciente")
                            .arg(momento(m_motor, QStringLiteral("(w.i - 1) * 7 + k.i"),
                                         QStringLiteral("8 + k.i"), QStringLiteral("p.idPaciente % 60")))
                            .arg(desde)
                            .arg(std::min(desde + 51, m_tamano.semanas))
                            .arg(kAccesosPorSemana));
    }

    TDM &m_dm;
    const TTamanoDatos m_tamano;
    const SqlEngine m_motor;
};

// The size the kept database was filled for; nothing when it was never filled whole.
std::optional<TTamanoDatos> tamanoGuardado(TDM &dm)
{
    try {
        auto fila = dm.Consulta(QStringLiteral("SELECT pacientes, semanas FROM bench_info"));
        if (fila.next())
            return TTamanoDatos {fila.value(0).toInt(), fila.value(1).toInt()};
    } catch (const AppError &) {
        // no table: never filled
    }
    return std::nullopt;
}

// --- Cases ---------------------------------------------------------------------------------

// A screen's first page: what it reads before it can show anything, and how many rows.
void primeraPagina(benchmark::State &state, const std::function<qsizetype()> &leer)
{
    qsizetype filas = 0;
    for (auto _ : state)
        filas = leer();
    state.counters["rows"] = double(filas);
}

void buscarPorReferencia(benchmark::State &state, TDM &dm, int pacientes)
{
    int n = 0;
    for (auto _ : state) {
        const QString ref = QStringLiteral("p-%1").arg(n++ % pacientes + 1);
        benchmark::DoNotOptimize(dm.PacienteActivoPorReferencia(ref));
    }
}

// The lines of one patient in force over the last week, with the medication's displayed name and
// blister flag, in the order of the blister plan.
void planSemanal(benchmark::State &state, TDM &dm, const TTamanoDatos &tamano)
{
    int n = 0;
    const QDate lunes = tamano.ultimoLunes();
    for (auto _ : state) {
        auto plan = dm.Consulta(
                QStringLiteral("SELECT s.id, s.idMedicamento, s.Dosis, s.SPDP, m.Medicamento, m.Descripcion, "
                               "m.DescUsuario, m.SPD, m.Volumen FROM SPD s LEFT JOIN Medicamento m "
                               "ON m.idMedicamento = s.idMedicamento WHERE s.idPaciente = ? AND s.Inicio < ? "
                               "AND (s.Fin IS NULL OR s.Fin >= ?) ORDER BY m.Medicamento, m.Volumen"),
                {n++ % tamano.pacientes + 1, SqlFecha::valor(lunes.addDays(7)), SqlFecha::valor(lunes)});
        int filas = 0;
        while (plan.next())
            ++filas;
        benchmark::DoNotOptimize(filas);
    }
}

// One load with 20 lines and the patient's load number, in one transaction, numbered after the
// patient's last load. The loads stored are removed after the run, so the kept data stay as filled.
void guardarCarga(benchmark::State &state, TDM &dm, const TTamanoDatos &tamano)
{
    const qint64 ultimaAntes = dm.Valor(QStringLiteral("SELECT MAX(idRecarga) FROM Recarga")).toLongLong();
    const int ultimoNumero = dm.Valor(QStringLiteral("SELECT MAX(refRecarga) FROM Recarga")).toInt();
    int n = 0;
    for (auto _ : state) {
        const int paciente = n % tamano.pacientes + 1;
        const int numero = ultimoNumero + 1 + n / tamano.pacientes;
        const QDate inicio = tamano.ultimoLunes().addDays(7 * (1 + n / tamano.pacientes));
        ++n;
        dm.EnTransaccion([&] {
            const qint64 recarga = dm.Anadir(
                    QStringLiteral("Recarga"),
                    {{QStringLiteral("refRecarga"), numero},
                     {QStringLiteral("idPaciente"), paciente},
                     {QStringLiteral("FechaRealizado"), SqlFecha::valor(QDateTime(inicio, QTime(9, 0)))},
                     {QStringLiteral("FechaInicio"), SqlFecha::valor(inicio)},
                     {QStringLiteral("FechaFin"), SqlFecha::valor(inicio.addDays(6))},
                     {QStringLiteral("Estado"), 0},
                     {QStringLiteral("idUsuario"), 1}});
            for (int linea = 0; linea < 20; ++linea) {
                dm.Anadir(QStringLiteral("RecargaLinea"),
                          {{QStringLiteral("idRecarga"), recarga},
                           {QStringLiteral("idMedicamento"), 6500001 + linea},
                           {QStringLiteral("idMedicamentoR"), 6500001 + linea},
                           {QStringLiteral("Cantidad"), 14.0},
                           {QStringLiteral("Dosis"), QStringLiteral("1-0-1-0:D:D:1")},
                           {QStringLiteral("Lote"), QStringLiteral("L2024")},
                           {QStringLiteral("SPD"), 1}});
            }
            dm.Ejecutar(QStringLiteral("UPDATE Paciente SET NumeroUltimaCargaRealizada = ?, "
                                       "FechaUltimaCargaRealizada = ? WHERE idPaciente = ?"),
                        {numero, SqlFecha::valor(inicio), paciente});
        });
    }
    dm.EnTransaccion([&] {
        dm.Ejecutar(QStringLiteral("DELETE FROM RecargaLinea WHERE idRecarga > ?"), {ultimaAntes});
        dm.Ejecutar(QStringLiteral("DELETE FROM Recarga WHERE idRecarga > ?"), {ultimaAntes});
    });
}

struct TCaso
{
    QString nombre;
    std::function<void(benchmark::State &)> medir;
};

// What each screen reads before it shows its first page, as the screen reads it. The audit and
// traceability inquiries add theirs here, one line each.
QList<TCaso> primerasPaginas(TDM &dm, const TTamanoDatos &tamano)
{
    const auto pagina = [](std::function<qsizetype()> leer) {
        return [leer](benchmark::State &state) { primeraPagina(state, leer); };
    };
    TFiltroCargas ultimoMes;
    ultimoMes.Desde = tamano.ultimoLunes().addDays(-31);
    ultimoMes.Hasta = tamano.ultimoLunes();
    const auto cargas = [&dm](const TFiltroCargas &filtro) {
        return [&dm, filtro] {
            TModeloCargas modelo(dm);
            modelo.Consultar(filtro);
            return qsizetype(modelo.rowCount());
        };
    };
    // The audit view with the fields given, over the last whole month of the data (the month of
    // the last Monday may have hardly begun).
    const auto auditoria = [&dm, tamano](TCamposAuditoria campos) {
        const TCamposAuditoria mes = CamposAuditoriaDelMes(tamano.ultimoLunes().addMonths(-1));
        campos.Desde = mes.Desde;
        campos.Hasta = mes.Hasta;
        return [&dm, campos] {
            UsuariosAuditoria(dm);
            AccionesAuditoria(dm);
            TModeloAuditoria modelo(dm);
            modelo.Consultar(LeerFiltroAuditoria(campos).filtro);
            return qsizetype(modelo.rowCount());
        };
    };
    TCamposAuditoria usuarioYOperacion;
    usuarioYOperacion.Usuario = QStringLiteral("pepa");
    usuarioYOperacion.Operacion = QStringLiteral("Modificacion");
    TCamposAuditoria accionAusente;
    accionAusente.Accion = QStringLiteral("CARGA D'ANA");
    return {
            {QStringLiteral("PatientsList"), pagina([&dm] { return LeerListaPacientes(dm, {}).size(); })},
            {QStringLiteral("LoadsFirstPage/NoFilter"), pagina(cargas({}))},
            {QStringLiteral("LoadsFirstPage/LastMonth"), pagina(cargas(ultimoMes))},
            {QStringLiteral("CategoryDelivery/LoadsOfOneStartDate"), pagina([&dm, tamano] {
                 return ConsultarCargas(dm, FiltroFechaInicio::Dia(tamano.ultimoLunes())).size();
             })},
            {QStringLiteral("StockInquiry/OneCategory"), pagina([&dm] {
                 TModeloInventario modelo(dm);
                 TFiltroInventario filtro;
                 filtro.Categoria = 1;
                 modelo.Consultar(filtro);
                 return qsizetype(modelo.rowCount());
             })},
            // The developer's print of a category's whole stock: a report, not a page.
            {QStringLiteral("CategoryStockPrint"), pagina([&dm] { return StockCategoria(dm, 1).size(); })},
            {QStringLiteral("AuditFirstPage/ThisMonth"), pagina([&dm, tamano] {
                 return ConsultarAuditoria(dm, FiltroAuditoriaDelMes(tamano.ultimoLunes()), 0, 200).size();
             })},
            // The audit view as it opens (its two lists and the month's first page), and filtered
            // by a user and an operation, and by an action no row of the month holds (the whole
            // month walked).
            {QStringLiteral("AuditView/Opening"), pagina(auditoria({}))},
            {QStringLiteral("AuditView/UserAndOperation"), pagina(auditoria(usuarioYOperacion))},
            {QStringLiteral("AuditView/ActionNotInTheMonth"), pagina(auditoria(accionAusente))},
            {QStringLiteral("Trace/MedicationAndLot"), pagina([&dm] {
                 return ConsultarTrazabilidad(dm, 6500001, QStringLiteral("L6500001/10")).size();
             })},
            {QStringLiteral("Trace/Medication"),
             pagina([&dm] { return ConsultarTrazabilidad(dm, 6500001).size(); })},
            // The traceability view's first screenful: a medication without a lot, its whole history.
            {QStringLiteral("TraceFirstPage/Medication"), pagina([&dm] {
                 TModeloTrazabilidad modelo(dm);
                 modelo.Consultar(6500001, {});
                 return qsizetype(modelo.rowCount());
             })},
    };
}

// The catalogue's in-use check before a medication is deleted: for one no row names (every table
// is looked at) and for one in use (the first look answers).
QList<TCaso> comprobacionesEnUso(TDM &dm)
{
    const auto enUso = [&dm](qint64 medicamento) {
        return [&dm, medicamento](benchmark::State &state) {
            const QString sql = TCatalogoMedicamentos::SentenciaEnUso();
            const QVariantList valores(sql.count(QLatin1Char('?')), medicamento);
            for (auto _ : state)
                benchmark::DoNotOptimize(dm.Valor(sql, valores).toInt());
        };
    };
    return {
            {QStringLiteral("MedicationInUse/Unused"), enUso(kMedicamentoSinUso)},
            {QStringLiteral("MedicationInUse/Used"), enUso(6500001)},
    };
}

QList<TCaso> busquedasYEscrituras(TDM &dm, const TTamanoDatos &tamano)
{
    return {
            {QStringLiteral("PatientByReference"),
             [&dm, tamano](benchmark::State &state) { buscarPorReferencia(state, dm, tamano.pacientes); }},
            {QStringLiteral("WeeklyPlanOfOnePatient"),
             [&dm, tamano](benchmark::State &state) { planSemanal(state, dm, tamano); }},
            {QStringLiteral("SaveLoadWith20Lines"),
             [&dm, tamano](benchmark::State &state) { guardarCarga(state, dm, tamano); }},
            {QStringLiteral("WriteFloor21Rows"),
             [&dm](benchmark::State &state) { SueloEscritura21Filas(state, dm); }},
    };
}

// One engine's database: where it is, and how it is emptied before a fill of another size.
struct TBaseBench
{
    QString motor;
    ConnectionText conexion;
    std::function<void()> vaciar;
};

void medir(const TBaseBench &base, const AppDirectory &directorio)
{
    const TTamanoDatos tamano = tamanoPedido();
    bool lleno = false;
    {
        TDM dm(base.conexion, directorio);
        lleno = tamanoGuardado(dm) == tamano;
    }
    if (!lleno) {
        base.vaciar();
        TDM dm(base.conexion, directorio);
        TLlenado(dm, tamano).Llenar();
    }
    TDM dm(base.conexion, directorio);
    benchmark::ClearRegisteredBenchmarks();
    for (const QList<TCaso> &grupo :
         {primerasPaginas(dm, tamano), comprobacionesEnUso(dm), busquedasYEscrituras(dm, tamano)}) {
        for (const TCaso &caso : grupo)
            benchmark::RegisterBenchmark(qPrintable(base.motor + QLatin1Char('/') + caso.nombre), caso.medir)
                    ->Unit(benchmark::kMicrosecond);
    }
    // One reporter per run: the library's default one does not survive a second run.
    benchmark::ConsoleReporter reporter(benchmark::ConsoleReporter::OO_None);
    benchmark::RunSpecifiedBenchmarks(&reporter);
}

TBaseBench sqlite(const AppDirectory &directorio)
{
    const QString fichero = directorio.file(QStringLiteral("bench-data.dat"));
    const auto crear = [fichero] {
        QFile vacio(fichero);
        if (!vacio.exists() && vacio.open(QIODevice::WriteOnly))
            vacio.close(); // an empty file is a new SQLite database
    };
    crear();
    return {QStringLiteral("SQLite"), ConnectionText::parse(fichero, directorio.path()), [fichero, crear] {
                QFile::remove(fichero);
                QFile::remove(fichero + QStringLiteral("-journal"));
                crear();
            }};
}

TBaseBench postgresql(const QString &url)
{
    QUrl conEsquema(url);
    QUrlQuery query(conEsquema);
    query.addQueryItem(QStringLiteral("options"), QStringLiteral("-c search_path=bench"));
    conEsquema.setQuery(query);
    const ConnectionText servidor = ConnectionText::parse(url, {});
    EjecutarEnServidor(servidor, {QStringLiteral("CREATE SCHEMA IF NOT EXISTS bench")});
    return {QStringLiteral("PostgreSQL"), ConnectionText::parse(conEsquema.toString(QUrl::FullyEncoded), {}),
            [servidor] {
                EjecutarEnServidor(servidor,
                                   {QStringLiteral("DROP SCHEMA IF EXISTS bench CASCADE"),
                                    QStringLiteral("CREATE SCHEMA bench")});
            }};
}

} // namespace

int main(int argc, char **argv)
try {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const AppDirectory directorio(QCoreApplication::applicationDirPath());
    if (qEnvironmentVariable("PASTILLERO_BENCH_SQLITE") != QLatin1String("0"))
        medir(sqlite(directorio), directorio);
    const QString url
            = qEnvironmentVariable("PASTILLERO_BENCH_PGURL", qEnvironmentVariable("PASTILLERO_TEST_PGURL"));
    if (!url.isEmpty())
        medir(postgresql(url), directorio);
    benchmark::Shutdown();
    return 0;
} catch (const AppError &error) {
    std::fprintf(stderr, "%s\n", qPrintable(error.message()));
    return 1;
}
