#include "core/loading/TSesionCarga.h"

#include "core/audit/uLOPD.h"
#include "core/common/AppError.h"
#include "core/common/Clock.h"
#include "core/data/ManejadorErrores.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/dispenser/UDispenserTCP.h"
#include "core/dosing/ConsultaPlan.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/DialogosCarga.h"
#include "core/loading/FechasCarga.h"
#include "core/loading/GuardarCarga.h"
#include "core/loading/ProgresoCarga.h"
#include "core/loading/VentanaCarga.h"
#include "core/patients/uHistorialTratamiento.h"
#include "core/settings/uPreferencias.h"
#include "core/shell/uLog.h"
#include "core/stock/uInventario.h"

#include <QPointer>
#include <QSqlQuery>

using namespace ComprobacionesCarga;

namespace {

constexpr int kCargaManual = 1; // run-time preference TipoCarga
constexpr double kVersionConEstado = 2.0; // machines from this version answer "REQUESTSTATUS"

TLimitesAmbiente LimitesAmbiente()
{
    const TPreferences &p = Preferencias();
    return {p.Varihumedad,   p.Varitemperatura,   p.HumedadMinima,
            p.HumedadMaxima, p.TemperaturaMinima, p.TemperaturaMaxima};
}

// A stored load of the patient: its number and the day it was made.
struct TCargaGuardada
{
    int numero = 0;
    QDate realizada;
};

// The patient's latest stored load that starts on the day; a database failure is raised.
std::optional<TCargaGuardada> CargaGuardadaQueEmpieza(TDM &dm, qint64 idPaciente, const QDate &inicio)
{
    TConsulta carga = dm.Consulta(
            QStringLiteral("SELECT refRecarga, FechaRealizado, FechaInicio FROM Recarga "
                           "WHERE idPaciente = ? AND FechaInicio = ? ORDER BY refRecarga DESC LIMIT 1"),
            {idPaciente, SqlFecha::valor(inicio)});
    if (!carga.next())
        return std::nullopt;
    // A load of an older installation may lack the day it was made: its start stands in.
    const QVariant realizada = carga.value(1).isNull() ? carga.value(2) : carga.value(1);
    return TCargaGuardada {carga.value(0).toInt(), SqlFecha::leerDia(realizada)};
}

QString CeldasConPuntoYComa(const TArrayPastillas &celdas)
{
    QStringList textos;
    for (const qint32 cuenta : celdas)
        textos.append(QString::number(cuenta));
    return textos.join(QLatin1Char(';'));
}

} // namespace

TSesionCarga::TSesionCarga(TDM &dm, TDispenserTCP &link, TDialogosCarga &dialogos, QObject *parent)
    : QObject(parent)
    , m_dm(dm)
    , m_link(link)
    , m_dialogos(dialogos)
{
    m_sonda.setInterval(kPeriodoSondaMs);
    connect(&m_sonda, &QTimer::timeout, this, &TSesionCarga::Sondear);
    m_entrega.setInterval(kPausaEntregaMs);
    connect(&m_entrega, &QTimer::timeout, this, &TSesionCarga::EntregarSiguiente);

    // The link outlives the session: its events reach a session only while it exists.
    QPointer<TSesionCarga> sesion(this);
    m_link.OnEstadoCarga = [sesion](TDispenser &, const QList<qint32> &pastillas, quint8 estado,
                                    qint32 colocadas, qint32) {
        if (sesion)
            sesion->EstadoCarga(pastillas, estado, colocadas);
    };
    m_link.OnCierre = [sesion](TDispenser &, qint32) {
        if (sesion)
            sesion->Cierre();
    };
}

TSesionCarga::~TSesionCarga() = default;

void TSesionCarga::Abrir()
{
    m_textoInicio.clear();
    Planificar();
    m_cargaEnCurso = false;
    Vigilar();
    QTimer::singleShot(kRetrasoAvisosMs, this, &TSesionCarga::AvisosIniciales);
}

void TSesionCarga::Vigilar()
{
    ActivarVigilancia(true);
    Preferencias().VersionMaquina = m_link.ConsultarMaquina().VersionMaquina;
}

void TSesionCarga::FijarFechas(const QString &textoInicio, const QString &textoFin)
{
    m_textoInicio = textoInicio;
    m_textoFin = textoFin;
}

void TSesionCarga::CambiarFechas(const QString &textoInicio, const QString &textoFin)
{
    FijarFechas(textoInicio, textoFin);
    Planificar();
}

void TSesionCarga::FijarSemana(const QDate &inicio)
{
    m_semana = inicio;
}

void TSesionCarga::Planificar()
{
    if (m_sinGuardar)
        return; // the filled blister's load is kept as it was filled
    m_carga.Vaciar();
    ManejadorErrores::Proteger([this] {
        const qint64 idPaciente = m_dm.idPacienteActivo;
        m_paciente = LeerPacienteCarga(m_dm, idPaciente).value_or(TPacienteCarga {});
        const TVentanaCarga ventana = VentanaAPlanificar(idPaciente);
        m_inicio = ventana.inicio;
        m_fin = ventana.fin;
        m_textoInicio = ventana.textoInicio;
        m_textoFin = ventana.textoFin;
        m_indiceActual = 0;
        if (m_paciente.idPaciente == 0 || !m_fin.isValid())
            return;
        TInventario(m_dm).RecalcularCantidadesSPD(idPaciente);
        ConstruirCarga(m_dm, m_carga, m_inicio, m_fin);
    });
    m_conectado = m_link.ComprobarConexion();
    emit conexionCambiada(m_conectado);
    emit cargaCambiada();
    FijarEstadoUI(EstadoCargaUI::kSinComenzar);
}

TVentanaCarga TSesionCarga::VentanaAPlanificar(qint64 idPaciente) const
{
    if (m_semana.isValid()) {
        const QDate fin = m_semana.addDays(6);
        return {m_semana, fin, TextoFechaCampo(m_semana), TextoFechaCampo(fin)};
    }
    std::optional<QDate> finUltima;
    try {
        finUltima = FinUltimaCarga(m_dm, idPaciente);
    } catch (const AppError &error) {
        Log(QStringLiteral(": ERROR:") + error.message()); // the window then starts today
    }
    return ProponerVentana(m_textoInicio, m_textoFin, finUltima, Clock::today());
}

TResultadoInicio TSesionCarga::Iniciar()
{
    if (m_cargaEnCurso || Entregando() || m_comprobando || m_sinGuardar)
        return TResultadoInicio::EnCurso;
    m_comprobando = true;
    emit estadoCambiado();
    const TResultadoInicio resultado = IntentarIniciar();
    m_comprobando = false;
    emit estadoCambiado();
    const bool rechazada = resultado == TResultadoInicio::Rechazada
            || resultado == TResultadoInicio::FechaInicioInvalida
            || resultado == TResultadoInicio::FechaFinInvalida;
    Auditar(Traducir(QStringLiteral("CAPTION_LOPD_CREACION_CARGAS"), QStringLiteral("CREACION CARGAS")),
            LOPD::kAlta, rechazada ? LOPD::kRechazado : LOPD::kAceptado);
    return resultado;
}

TResultadoInicio TSesionCarga::IntentarIniciar()
{
    Planificar();
    if (!Comprobar(FechaValida(m_inicio)))
        return TResultadoInicio::FechaInicioInvalida;
    if (!Comprobar(FechaValida(m_fin)))
        return TResultadoInicio::FechaFinInvalida;
    if (!Comprobar(FechaNoPasada(m_inicio, Clock::today()))
        || !Comprobar(SemanaCompleta(m_paciente.conCategoria, m_inicio, m_fin))
        || !Comprobar(AvisoMalDefinido(m_carga))
        || !Comprobar(AvisoCaducados(m_carga, m_paciente.conInventario, LimiteCaducidad()))
        || !Comprobar(CargaVacia(m_carga)) || !ConfirmarSemanaGuardada())
        return TResultadoInicio::Rechazada;

    if (Preferencias().TipoCarga == kCargaManual) {
        if (!Comprobar(AvisoStockInsuficiente(m_carga, m_paciente.conInventario)))
            return TResultadoInicio::Rechazada;
        CargaManual();
        return TResultadoInicio::Manual;
    }

    m_conectado = m_link.ComprobarConexion();
    emit conexionCambiada(m_conectado);
    if (!Comprobar(MaquinaConectada(m_conectado)))
        return TResultadoInicio::Rechazada;
    const TResultadoAmbiente ambiente = ComprobarAmbiente();
    if (ambiente.fallo) {
        m_dialogos.Error(ambiente.mensaje);
        return TResultadoInicio::Rechazada;
    }
    if (!Comprobar(AvisoStockInsuficiente(m_carga, m_paciente.conInventario))
        || !Comprobar(MaquinaEnEspera(EstadoDeLaMaquina())))
        return TResultadoInicio::Rechazada;

    Entregar(qint32(ambiente.humedad), qint32(ambiente.temperatura));
    return TResultadoInicio::Entregada;
}

// A week whose blister is stored already is filled again only when the user says so: a second
// blister of one week would be stored, labelled and taken from the stock twice. When the stored
// loads cannot be read the load does not start (the error was reported).
bool TSesionCarga::ConfirmarSemanaGuardada()
{
    std::optional<TCargaGuardada> guardada;
    if (!ManejadorErrores::Proteger(
                [&] { guardada = CargaGuardadaQueEmpieza(m_dm, m_paciente.idPaciente, m_inicio); }))
        return false;
    return !guardada
            || m_dialogos.Confirmar(Traducir(QStringLiteral("QST_CARGAR_SEMANA_OTRA_VEZ"),
                                             QStringLiteral("ESTA SEMANA YA ESTA CARGADA: CARGA %1 DEL %2. "
                                                            "¿QUIERE CARGARLA OTRA VEZ?"))
                                            .arg(guardada->numero)
                                            .arg(TextoFechaCampo(guardada->realizada)));
}

bool TSesionCarga::Entregar(qint32 humedad, qint32 temperatura)
{
    if (m_cargaEnCurso || Entregando() || m_sinGuardar)
        return false;
    m_carga.Humedad = humedad;
    m_carga.Temperatura = temperatura;
    EntregarPorciones();
    return true;
}

bool TSesionCarga::Comprobar(const TComprobacion &comprobacion)
{
    if (!comprobacion)
        return true;
    m_dialogos.Error(comprobacion->texto);
    return false;
}

TResultadoAmbiente TSesionCarga::ComprobarAmbiente()
{
    return m_link.ComprobarAmbiente(LimitesAmbiente());
}

quint8 TSesionCarga::EstadoDeLaMaquina()
{
    if (Preferencias().VersionMaquina >= kVersionConEstado)
        return m_link.PedirEstado().value_or(m_link.EstadoMaquina);
    return m_link.EstadoMaquina;
}

void TSesionCarga::EntregarPorciones()
{
    m_sonda.stop();
    m_link.ActivarBusqueda(false);
    m_link.EnviarInicio(m_paciente.refPACIENTE, m_paciente.NOMBRE, QString(), QString(), m_textoInicio,
                        ReferenciaCarga(m_paciente));
    m_link.ChargesEnviados = 0;
    m_informada = false;
    m_porEntregar.clear();
    for (int i = 0; i < m_carga.Count(); ++i) {
        if (m_carga.Linea(i)->EsSPD)
            m_porEntregar.append(i);
    }
    FijarEstadoUI(EstadoCargaUI::kCargando);
    // One "CHARGE" per tick: the machine needs the pause, the screen stays responsive.
    m_entrega.start();
}

void TSesionCarga::EntregarSiguiente()
{
    if (!m_porEntregar.isEmpty())
        m_link.EnviarCarga(*m_carga.Linea(m_porEntregar.takeFirst()));
    if (!m_porEntregar.isEmpty())
        return;
    m_entrega.stop();
    m_link.EnviarInit(m_link.ChargesEnviados);
    m_cargaEnCurso = true;
    m_indiceActual = m_carga.PrimeraPendiente();
    m_carga.Siguiente();
    emit cargaCambiada();
    emit estadoCambiado();
}

void TSesionCarga::EstadoCarga(const TArrayPastillas &pastillas, quint8 estado, qint32 colocadas)
{
    // Reports of a load this screen did not hand over are not its business.
    if (!m_cargaEnCurso)
        return;
    m_informada = true;
    switch (AplicarInforme(m_carga, m_indiceActual, pastillas, estado, colocadas)) {
    case TEfectoInforme::Cancelar:
        CancelarCarga();
        break;
    case TEfectoInforme::Actualizado:
        emit cargaCambiada();
        break;
    case TEfectoInforme::Ignorado:
        break;
    }
}

void TSesionCarga::Cierre()
{
    if (!m_cargaEnCurso)
        return;
    if (!m_informada) {
        // Written before the machine began this load: the "close" of an earlier one.
        Log(QStringLiteral(": ERROR:Cierre ignorado: el dispensador no ha informado aun de la carga de ")
            + m_paciente.refPACIENTE);
        return;
    }
    Completar();
}

void TSesionCarga::Completar()
{
    m_cargaEnCurso = false;
    FijarEstadoUI(EstadoCargaUI::kCompletado);
    m_link.Cerrar();
    ActivarVigilancia(true);
    m_sinGuardar = true;
    GuardarCargaLlenada();
}

bool TSesionCarga::GuardarCargaLlenada()
{
    if (!m_sinGuardar)
        return false;
    m_ultimaCarga = -1;
    // The load belongs to the patient it was built for; never store it for another one.
    if (m_dm.idPacienteActivo == m_paciente.idPaciente)
        m_ultimaCarga = GuardarCarga(m_carga, m_inicio, m_fin);
    else
        Log(QStringLiteral(": ERROR:La carga de %1 no se guarda: el paciente activo es otro")
                    .arg(m_paciente.refPACIENTE));
    m_sinGuardar = m_ultimaCarga == -1;
    emit cargaCambiada();
    emit estadoCambiado();
    if (m_sinGuardar) {
        m_dialogos.Error(Traducir(QStringLiteral("ERR_CARGA_LLENADA_NO_GUARDADA"),
                                  QStringLiteral("EL BLISTER SE HA LLENADO PERO LA CARGA NO SE HA PODIDO "
                                                 "GUARDAR. PULSE GUARDAR CARGA PARA INTENTARLO DE NUEVO; LAS "
                                                 "ETIQUETAS SE IMPRIMEN AL GUARDARLA")));
        emit cargaCompletada(-1);
        return false;
    }
    m_dialogos.ImprimirEtiquetas(m_ultimaCarga);
    const qint64 idPaciente = m_paciente.idPaciente;
    ManejadorErrores::Proteger([&] { THistorialTratamiento(m_dm).MarcarVersionCargada(idPaciente); });
    emit cargaCompletada(m_ultimaCarga);
    return true;
}

void TSesionCarga::AbandonarCargaLlenada()
{
    QStringList porciones;
    for (int i = 0; i < m_carga.Count(); ++i) {
        const TDosis &porcion = *m_carga.Linea(i);
        porciones << QStringLiteral("%1 %2 [%3]")
                             .arg(porcion.IdMedicamento)
                             .arg(porcion.Nombre, porcion.ListaSemana);
    }
    Log(QStringLiteral(": ERROR:Carga llenada abandonada sin guardar: paciente %1 %2, %3 - %4: ")
                .arg(m_paciente.refPACIENTE, m_paciente.NOMBRE, m_textoInicio, m_textoFin)
        + porciones.join(QStringLiteral("; ")));
    m_sinGuardar = false;
}

void TSesionCarga::ImprimirEtiquetas()
{
    if (m_ultimaCarga != -1)
        m_dialogos.ImprimirEtiquetas(m_ultimaCarga);
}

void TSesionCarga::CargaManual()
{
    if (!m_dialogos.Aceptar(Traducir(QStringLiteral("MSG_INICIO_CARGA_MANUAL"),
                                     QStringLiteral("Ahora tienes que realizar la carga del blister de forma "
                                                    "manual. Sigue las Instrucciones")))) {
        m_cargaEnCurso = true;
        CancelarCarga();
        return;
    }
    m_link.ChargesEnviados = 0;
    m_indiceActual = 0;
    FijarEstadoUI(EstadoCargaUI::kCargando);
    emit cargaCambiada();
    for (int i = 0; i < m_carga.Count(); ++i) {
        TDosis &porcion = *m_carga.Linea(i);
        if (!porcion.EsSPD)
            continue;
        // The cells still to fill, as the machine would be handed them.
        TDosis trabajo(porcion.Porcion);
        trabajo.AsignarLista(porcion.ListaPendiente(), false);
        m_indiceActual = m_carga.PrimeraPendiente();
        m_carga.Siguiente();
        emit cargaCambiada();
        const TBlisterManual blister {m_paciente.NOMBRE,
                                      porcion.Nombre,
                                      porcion.Aspecto,
                                      porcion.Porcion,
                                      CeldasConPuntoYComa(trabajo.Actual),
                                      QString::number(porcion.IdMedicamento),
                                      Preferencias().TipoBlister};
        if (!m_dialogos.BlisterManual(blister)) {
            m_cargaEnCurso = true;
            CancelarCarga();
            return;
        }
        porcion.Cargadas = porcion.Carga;
        porcion.SumaActual = porcion.Carga;
        porcion.Estado = EstadoDosis::kCompletado;
        m_indiceActual = i + 1;
        emit cargaCambiada();
    }
    m_dialogos.Informar(Traducir(QStringLiteral("MSG_FIN_CARGA_MANUAL"),
                                 QStringLiteral("Carga Realizada Completamente")));
    m_cargaEnCurso = false;
    Completar();
}

bool TSesionCarga::Salir(bool aplicacion)
{
    if (m_sinGuardar) {
        if (!m_dialogos.Confirmar(
                    Traducir(QStringLiteral("QST_ABANDONAR_CARGA_LLENADA"),
                             QStringLiteral("EL BLISTER LLENADO NO ESTA GUARDADO. SI SALE, LA CARGA "
                                            "SE ABANDONA SIN GUARDAR NI ETIQUETAS. ¿ABANDONAR LA "
                                            "CARGA?"))))
            return false;
        AbandonarCargaLlenada();
    }
    m_sonda.stop();
    m_link.ActivarBusqueda(false);
    const qint64 guardadaAntes = m_ultimaCarga;
    if (m_estadoUI == EstadoCargaUI::kCargando && !m_dialogos.Confirmar(PreguntaCancelar(aplicacion)))
        return false;
    if (m_ultimaCarga != guardadaAntes) {
        // The machine finished while the question was open: the load is stored, not cancelled.
        m_dialogos.Informar(Traducir(QStringLiteral("MSG_CARGA_GUARDADA_AL_SALIR"),
                                     QStringLiteral("LA CARGA SE HA COMPLETADO Y GUARDADO MIENTRAS SE "
                                                    "ESPERABA LA RESPUESTA: NO SE HA CANCELADO.")));
    } else if (m_cargaEnCurso || Entregando()) {
        AbortarEnCurso();
        FijarEstadoUI(EstadoCargaUI::kCancelado);
    } else if (const TComprobacion aviso = AvisoStockInsuficiente(m_carga, m_paciente.conInventario)) {
        m_dialogos.Error(aviso->texto);
    }
    return true;
}

QString TSesionCarga::PreguntaCancelar(bool aplicacion)
{
    if (aplicacion)
        return Traducir(QStringLiteral("QST_SALIR_APP_CARGA_EN_CURSO"),
                        QStringLiteral("HAY UNA CARGA EN CURSO. ¿SALIR DEL PROGRAMA Y CANCELAR LA CARGA?"));
    return Traducir(QStringLiteral("QST_CANCELAR_RECARGA"),
                    QStringLiteral("¿ESTAS SEGURO DE SALIR Y CANCELAR LA RECARGA ACTUAL?"));
}

void TSesionCarga::CancelarCarga()
{
    if (!m_cargaEnCurso && !Entregando())
        return;
    AbortarEnCurso();
    m_carga.Reiniciar();
    m_link.VaciarDosis();
    Planificar();
    m_indiceActual = 0;
    FijarEstadoUI(EstadoCargaUI::kCancelado);
    ActivarVigilancia(true);
    emit cargaCambiada();
    emit cargaCancelada();
}

void TSesionCarga::VaciarCarga()
{
    if (m_cargaEnCurso || Entregando() || m_sinGuardar)
        return;
    m_carga.Vaciar();
    m_paciente = TPacienteCarga {};
    m_indiceActual = 0;
    emit cargaCambiada();
    FijarEstadoUI(EstadoCargaUI::kSinComenzar);
}

void TSesionCarga::AbortarEnCurso()
{
    m_entrega.stop();
    m_porEntregar.clear();
    m_cargaEnCurso = false;
    m_link.Cancelar();
}

void TSesionCarga::Sondear()
{
    if (m_cargaEnCurso || Entregando())
        return;
    m_conectado = m_link.ComprobarConexion();
    emit conexionCambiada(m_conectado);
}

void TSesionCarga::AvisosIniciales()
{
    for (const TComprobacion &aviso :
         {AvisoStockInsuficiente(m_carga, m_paciente.conInventario), AvisoMalDefinido(m_carga),
          AvisoCaducados(m_carga, m_paciente.conInventario, LimiteCaducidad())}) {
        if (aviso)
            m_dialogos.Error(aviso->texto);
    }
}

void TSesionCarga::FijarEstadoUI(int estado)
{
    m_estadoUI = estado;
    emit estadoCambiado();
}

void TSesionCarga::ActivarVigilancia(bool activa)
{
    m_link.ActivarBusqueda(activa);
    if (activa)
        m_sonda.start();
    else
        m_sonda.stop();
}
