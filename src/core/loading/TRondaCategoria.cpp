#include "core/loading/TRondaCategoria.h"

#include "core/audit/uLOPD.h"
#include "core/common/Clock.h"
#include "core/data/ManejadorErrores.h"
#include "core/data/uDM.h"
#include "core/dispenser/UDispenserTCP.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/DialogosCarga.h"
#include "core/loading/FechaCargaCategoria.h"
#include "core/loading/FechasCarga.h"
#include "core/loading/VentanaCarga.h"
#include "core/settings/uPreferencias.h"
#include "core/shell/uLog.h"

#include <QPointer>

#include <algorithm>

using namespace ComprobacionesCarga;

namespace {

constexpr int kCargaManual = 1; // run-time preference TipoCarga
const QString kPaisHojaAdministracion = QStringLiteral("3");

// Rows whose load the list shows when clicked.
bool SeMuestra(int estadoCode)
{
    return estadoCode == EstadoCodeLista::kPendiente || estadoCode == EstadoCodeLista::kInsuficiente
            || estadoCode == EstadoCodeLista::kMalDefinido;
}

} // namespace

TRondaCategoria::TRondaCategoria(TDM &dm, TDispenserTCP &link, TDialogosCarga &dialogos, QObject *parent)
    : QObject(parent)
    , m_dm(dm)
    , m_link(link)
    , m_dialogos(dialogos)
    , m_sesion(dm, link, dialogos)
{
    m_sondeoReposo.setSingleShot(true);
    connect(&m_sondeoReposo, &QTimer::timeout, this, &TRondaCategoria::ComprobarReposo);
    m_avance.setSingleShot(true);
    connect(&m_avance, &QTimer::timeout, this, &TRondaCategoria::SiguientePaciente);
    connect(&m_sesion, &TSesionCarga::cargaCompletada, this, &TRondaCategoria::CargaCompletada);
    connect(&m_sesion, &TSesionCarga::cargaCancelada, this, &TRondaCategoria::CargaCancelada);
    // The progress line follows the portions.
    connect(&m_sesion, &TSesionCarga::cargaCambiada, this, [this] {
        if (m_ronda)
            emit rondaCambiada();
    });

    // The link outlives the run: its events reach a run only while it exists.
    QPointer<TRondaCategoria> ronda(this);
    m_link.OnDesconectar = [ronda](TDispenser &) {
        if (ronda)
            ronda->Desconectado();
    };
}

TRondaCategoria::~TRondaCategoria() = default;

int TRondaCategoria::FilaMostrada() const
{
    return m_idMostrado == 0 ? -1 : FilaDe(m_idMostrado);
}

int TRondaCategoria::FilaDe(qint64 idPaciente) const
{
    for (int i = 0; i < m_filas.size(); ++i) {
        if (m_filas.at(i).IdPaciente == idPaciente)
            return i;
    }
    return -1;
}

bool TRondaCategoria::Ocupada() const
{
    return m_ronda || m_sesion.CargaEnCurso() || m_sesion.Entregando() || m_sesion.Comprobando()
            || m_sesion.CargaSinGuardar();
}

TProgresoRonda TRondaCategoria::Progreso() const
{
    TProgresoRonda progreso {m_contador, m_pendientes, m_sesion.Paciente().NOMBRE, 0, 0};
    int hechas = 0;
    const TRecarga &carga = m_sesion.Carga();
    for (int i = 0; i < carga.Count(); ++i) {
        if (!carga.Linea(i)->EsSPD)
            continue;
        ++progreso.porciones;
        if (carga.Linea(i)->Estado == EstadoDosis::kCompletado)
            ++hechas;
    }
    progreso.porcion = qMin(hechas + 1, progreso.porciones);
    return progreso;
}

QString TRondaCategoria::TextoProgreso() const
{
    if (m_ronda) {
        const TProgresoRonda p = Progreso();
        QString texto
                = Traducir(QStringLiteral("STR_RONDA_PACIENTE"), QStringLiteral("PACIENTE %1 DE %2: %3"))
                          .arg(p.paciente)
                          .arg(p.pacientes)
                          .arg(p.nombre);
        if (p.porciones > 0)
            texto += QStringLiteral("   ")
                    + Traducir(QStringLiteral("STR_RONDA_MEDICAMENTO"),
                               QStringLiteral("MEDICAMENTO %1 DE %2"))
                              .arg(p.porcion)
                              .arg(p.porciones);
        if (m_detener)
            texto += QStringLiteral("   ")
                    + Traducir(QStringLiteral("STR_RONDA_DETENIENDO"),
                               QStringLiteral("SE DETENDRA AL TERMINAR ESTE PACIENTE"));
        return texto;
    }
    if (!m_fin)
        return {};
    if (*m_fin == Fin::Completada)
        return Traducir(QStringLiteral("STR_RONDA_TERMINADA"),
                        QStringLiteral("CARGA DE LA CATEGORIA TERMINADA"));
    return Traducir(QStringLiteral("STR_RONDA_DETENIDA"), QStringLiteral("CARGA DE LA CATEGORIA DETENIDA"));
}

void TRondaCategoria::Abrir(int codCategoria)
{
    if (Ocupada())
        return;
    m_categoria = codCategoria;
    m_cargados.clear();
    m_fin.reset();
    m_idMostrado = 0;
    m_anteriores.clear();
    m_textoFecha.clear();
    ManejadorErrores::Proteger([this] {
        m_anteriores = CargasAnteriores(m_dm, m_categoria);
        m_textoFecha = TextoFechaCampo(FechaCargaCategoria(m_dm, m_categoria));
    });
    Listar();
    m_sesion.Vigilar();
    m_sesion.Sondear();
}

void TRondaCategoria::CambiarFecha(const QString &texto)
{
    if (Ocupada())
        return;
    m_textoFecha = texto;
    Listar();
}

void TRondaCategoria::Listar()
{
    if (Ocupada())
        return;
    const qint64 mostrado = m_idMostrado;
    m_filas.clear();
    ManejadorErrores::Proteger([this] {
        m_fecha = FechaListaCategoria(m_dm, m_categoria, m_textoFecha);
        m_filas = ListarPacientes(m_dm, m_categoria, m_fecha);
    });
    if (m_columnaOrden)
        OrdenarPacientes(m_filas, *m_columnaOrden, m_descendente);
    emit listaCambiada();
    MostrarPorId(mostrado);
}

void TRondaCategoria::MostrarPaciente(int fila)
{
    if (Ocupada() || fila < 0 || fila >= m_filas.size())
        return;
    MostrarPorId(m_filas.at(fila).IdPaciente);
}

void TRondaCategoria::MostrarPorId(qint64 idPaciente)
{
    const int fila = FilaDe(idPaciente);
    m_idMostrado = fila < 0 ? 0 : idPaciente;
    if (fila < 0 || !SeMuestra(m_filas.at(fila).EstadoCode)) {
        m_sesion.VaciarCarga();
        return;
    }
    ManejadorErrores::Proteger([&] { m_dm.PacienteActivoPorId(QString::number(idPaciente)); });
    m_sesion.FijarSemana(m_filas.at(fila).FechaCarga);
    m_sesion.Planificar();
}

void TRondaCategoria::ReevaluarMostrado()
{
    const int fila = FilaMostrada();
    if (Ocupada() || fila < 0)
        return;
    std::optional<TFilaPacienteCategoria> evaluada;
    const bool leida = ManejadorErrores::Proteger(
            [&] { evaluada = EvaluarPaciente(m_dm, m_idMostrado, m_filas.at(fila).FechaCarga); });
    if (!leida)
        return;
    if (evaluada)
        m_filas[fila] = *evaluada;
    else
        m_filas.removeAt(fila);
    emit listaCambiada();
    MostrarPorId(m_idMostrado);
}

void TRondaCategoria::Ordenar(TColumnaPacientes columna)
{
    // A run walks the rows in the order shown.
    if (m_ronda)
        return;
    m_descendente = m_columnaOrden == columna && !m_descendente;
    m_columnaOrden = columna;
    OrdenarPacientes(m_filas, columna, m_descendente);
    emit listaCambiada();
}

TResultadoInicio TRondaCategoria::Iniciar()
{
    if (Ocupada())
        return TResultadoInicio::EnCurso;
    m_contador = 0;
    Listar();
    const QDate fecha = LeerFechaCampo(m_textoFecha);
    if (!m_sesion.Comprobar(FechaValida(fecha)))
        return TResultadoInicio::FechaInicioInvalida;
    if (!m_sesion.Comprobar(FechaNoPasada(fecha, Clock::today()))
        || !m_sesion.Comprobar(AvisoMalDefinido(m_sesion.Carga())))
        return TResultadoInicio::Rechazada;

    m_manual = Preferencias().TipoCarga == kCargaManual;
    m_humedad = 0;
    m_temperatura = 0;
    if (!m_manual) {
        m_sesion.Sondear();
        if (!m_sesion.Comprobar(MaquinaConectada(m_sesion.Conectado())))
            return TResultadoInicio::Rechazada;
        const TResultadoAmbiente ambiente = m_sesion.ComprobarAmbiente();
        if (ambiente.fallo) {
            m_dialogos.Error(ambiente.mensaje);
            return TResultadoInicio::Rechazada;
        }
        if (!m_sesion.Comprobar(MaquinaEnEspera(m_sesion.EstadoDeLaMaquina())))
            return TResultadoInicio::Rechazada;
        m_humedad = qint32(ambiente.humedad);
        m_temperatura = qint32(ambiente.temperatura);
    }

    m_ronda = true;
    m_detener = false;
    m_fin.reset();
    m_actual = -1;
    m_pendientes = int(std::count_if(m_filas.cbegin(), m_filas.cend(), [](const TFilaPacienteCategoria &f) {
        return f.EstadoCode == EstadoCodeLista::kPendiente;
    }));
    emit rondaCambiada();
    SiguientePaciente();
    return m_manual ? TResultadoInicio::Manual : TResultadoInicio::Entregada;
}

void TRondaCategoria::SiguientePaciente()
{
    // A manual load runs to its end inside CargaManual; the next patient follows in this loop,
    // never from inside the previous one's completion.
    while (m_ronda) {
        if (m_detener) {
            Terminar(Fin::Detenida);
            return;
        }
        int fila = m_actual + 1;
        while (fila < m_filas.size() && m_filas.at(fila).EstadoCode != EstadoCodeLista::kPendiente)
            ++fila;
        if (fila >= m_filas.size()) {
            Terminar(Fin::Completada);
            return;
        }
        m_actual = fila;
        if (!TomarPaciente(m_filas.at(fila))) {
            Terminar(Fin::Rechazada);
            return;
        }
        if (!m_manual) {
            EsperarReposo();
            return;
        }
        if (!SemanaYaGuardada())
            m_sesion.CargaManual();
    }
}

bool TRondaCategoria::TomarPaciente(const TFilaPacienteCategoria &fila)
{
    ++m_contador;
    m_idMostrado = fila.IdPaciente;
    ManejadorErrores::Proteger([&] { m_dm.PacienteActivoPorId(QString::number(fila.IdPaciente)); });
    Auditar(Traducir(QStringLiteral("CAPTION_LOPD_CATEGORIA_CARGAS"), QStringLiteral("CATEGORIA CARGAS")),
            LOPD::kConsulta, LOPD::kAceptado);
    m_sesion.FijarSemana(m_fecha);
    m_sesion.Planificar();
    emit rondaCambiada();
    return m_sesion.Comprobar(CargaVacia(m_sesion.Carga()))
            && m_sesion.Comprobar(AvisoCaducados(m_sesion.Carga(), m_sesion.Paciente().conInventario,
                                                 m_sesion.LimiteCaducidad()));
}

// Looked at just before the hand-over: another workstation may have stored the patient's week
// since the list was read. The row then shows it completed and the run goes on without it.
bool TRondaCategoria::SemanaYaGuardada()
{
    const TFilaPacienteCategoria &fila = m_filas.at(m_actual);
    if (!ExisteCarga(m_dm, fila.IdPaciente, m_fecha))
        return false;
    Log(QStringLiteral(
                ": ERROR:La semana de %1 ya esta guardada: la carga de la categoria no la carga otra vez")
                .arg(fila.RefPaciente));
    m_sesion.VaciarCarga();
    MarcarCompletado(fila.IdPaciente);
    emit rondaCambiada();
    return true;
}

void TRondaCategoria::EsperarReposo()
{
    m_esperando = true;
    m_espera.start();
    m_sondeoReposo.start(0);
}

void TRondaCategoria::ComprobarReposo()
{
    if (!m_esperando)
        return;
    const quint8 estado = m_sesion.EstadoDeLaMaquina(); // waits a moment for the answer
    if (!m_esperando)
        return; // the run ended meanwhile
    if (estado == 0) {
        m_esperando = false;
        if (SemanaYaGuardada()) {
            m_avance.start(0);
            return;
        }
        m_sesion.Entregar(m_humedad, m_temperatura);
        emit rondaCambiada();
        return;
    }
    if (m_espera.hasExpired(m_esperaReposoMs)) {
        Terminar(Fin::SinReposo);
        m_sesion.Comprobar(MaquinaEnEspera(estado));
        return;
    }
    m_sondeoReposo.start(kPeriodoReposoMs);
}

void TRondaCategoria::CargaCompletada(qint64 idRecarga)
{
    if (idRecarga != -1) {
        const qint64 idPaciente = m_sesion.Paciente().idPaciente;
        if (!m_cargados.contains(idPaciente))
            m_cargados << idPaciente;
        MarcarCompletado(idPaciente);
    }
    if (!m_ronda)
        return;
    if (idRecarga == -1) {
        Terminar(Fin::SinGuardar);
        return;
    }
    emit rondaCambiada();
    if (!m_manual)
        m_avance.start(0);
}

void TRondaCategoria::CargaCancelada()
{
    if (m_ronda)
        Terminar(Fin::Cancelada);
}

void TRondaCategoria::Desconectado()
{
    // Another connection that closed leaves the machine's in place.
    if (!m_ronda || m_link.NumeroConexiones() > 0)
        return;
    Terminar(Fin::Desconectada);
    m_sesion.CancelarCarga(); // the blister being filled is not stored
    m_dialogos.Error(Traducir(QStringLiteral("ERR_RONDA_DESCONECTADA"),
                              QStringLiteral("LA MAQUINA SE HA DESCONECTADO. LA CARGA DE LA CATEGORIA SE HA "
                                             "DETENIDO Y LA CARGA DEL PACIENTE EN CURSO NO SE HA GUARDADO")));
}

void TRondaCategoria::Detener()
{
    if (!m_ronda)
        return;
    if (m_esperando || !(m_sesion.CargaEnCurso() || m_sesion.Entregando())) {
        Terminar(Fin::Detenida);
        return;
    }
    m_detener = true;
    emit rondaCambiada();
}

bool TRondaCategoria::Salir(bool aplicacion)
{
    // While a load runs the session asks whether to cancel it; between two patients, here.
    const QString pregunta = aplicacion
            ? Traducir(QStringLiteral("QST_SALIR_APP_RONDA_EN_CURSO"),
                       QStringLiteral("HAY UNA CARGA DE LA CATEGORIA EN CURSO. ¿SALIR DEL PROGRAMA Y "
                                      "DETENERLA?"))
            : Traducir(QStringLiteral("QST_DETENER_RONDA"),
                       QStringLiteral("¿ESTAS SEGURO DE SALIR Y DETENER LA CARGA DE LA CATEGORIA?"));
    if (m_ronda && m_sesion.EstadoUI() != EstadoCargaUI::kCargando && !m_dialogos.Confirmar(pregunta))
        return false;
    if (!m_sesion.Salir(aplicacion))
        return false;
    if (m_ronda)
        Terminar(Fin::Salida);
    return true;
}

void TRondaCategoria::Terminar(Fin fin)
{
    m_ronda = false;
    m_esperando = false;
    m_detener = false;
    m_sondeoReposo.stop();
    m_avance.stop();
    m_fin = fin;
    if (fin != Fin::Salida)
        m_sesion.ActivarVigilancia(true);
    if (fin == Fin::Completada && Preferencias().Pais == kPaisHojaAdministracion && !m_cargados.isEmpty()
        && OnHojaAdministracion)
        OnHojaAdministracion(m_cargados, m_fecha);
    emit rondaCambiada();
    emit rondaTerminada(fin);
}

void TRondaCategoria::MarcarCompletado(qint64 idPaciente)
{
    const int fila = FilaDe(idPaciente);
    if (fila < 0)
        return;
    TFilaPacienteCategoria &completada = m_filas[fila];
    completada.Estado = TextoEstado(EstadoDosis::kCompletado, true);
    completada.EstadoCode = EstadoCodeLista::kCompletado;
    completada.Icorrect = true;
    emit listaCambiada();
}
