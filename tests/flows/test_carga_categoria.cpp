// A category's week loaded patient after patient over real loopback sockets with the machine
// simulator, without widgets: the order and the exact messages, a patient already loaded, a
// repeated "close", a machine that does not wait again, a lost connection, a stop asked by the
// user, the manual run and leaving during a run.
#include "../core/loading/CargaPrueba.h"
#include "OpcionesSimulador.h"
#include "SimuladorDispensador.h"
#include "core/common/Clock.h"
#include "core/dispenser/UDispenserTCP.h"
#include "core/loading/DialogosCarga.h"
#include "core/loading/TRondaCategoria.h"
#include "core/settings/uPreferencias.h"
#include "core/shell/uLog.h"
#include "support/MaquinaPrueba.h"
#include "support/TestDatabase.h"

#include <QtTest>

using namespace CargaPrueba;

namespace {

constexpr int kCategoria = 5;
constexpr qint64 kEnalapril = 700001;
constexpr qint64 kSintrom = 700002;
const QDate kLunes(2024, 5, 6);
constexpr int kEsperaMs = 10000;

using Fin = TRondaCategoria::Fin;

// Answers the loads' dialogs from a script and keeps what was shown and printed.
class DialogosGrabados : public TDialogosCarga
{
public:
    QStringList errores;
    QStringList preguntas;
    QList<TBlisterManual> blisters;
    QList<qint64> etiquetas;
    bool confirmar = true;
    int cancelarBlister = 0; // the manual blister (from 1) the user cancels; 0 none
    std::function<void()> alMostrarBlister; // what happens elsewhere while a blister is filled by hand

    void Error(const QString &texto) override { errores << texto; }
    void Informar(const QString &) override { }
    bool Aceptar(const QString &) override { return true; }
    bool Confirmar(const QString &pregunta) override
    {
        preguntas << pregunta;
        return confirmar;
    }
    bool BlisterManual(const TBlisterManual &blister) override
    {
        blisters << blister;
        if (alMostrarBlister)
            alMostrarBlister();
        return blisters.size() != cancelarBlister;
    }
    void ImprimirEtiquetas(qint64 idRecarga) override { etiquetas << idRecarga; }
};

} // namespace

class TestCargaCategoria : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_reloj = std::make_unique<FixedClock>(kLunes);
        m_db = std::make_unique<TestDatabase>();
        IniFile ini(m_db->directory().iniFile());
        ini.writeString(QStringLiteral("VERSION"), QStringLiteral("LOG"), QStringLiteral("1"));
        uLog::IniciarLog(ini, m_db->appDirectory().file(QStringLiteral("pastillero.log")));
        m_dm = std::make_unique<TDM>(m_db->directory());
        m_preferencias = std::make_unique<TPreferences>(IniFile(m_db->directory().iniFile()));
        m_dialogos = DialogosGrabados();
        Categoria();
    }

    void cleanup()
    {
        m_ronda.reset();
        m_link.reset();
        m_simulador.reset();
        m_preferencias.reset();
        m_dm.reset();
        m_db.reset();
        m_reloj.reset();
        uLog::CerrarLog();
    }

    void dosPacientesEnOrdenYElCargadoSeSalta()
    {
        QVERIFY(Preparar(Opciones()));
        QCOMPARE(m_ronda->TextoFecha(), QString("06/05/2024"));
        QCOMPARE(Referencias(), (QStringList {"REF-ANA", "REF-BEA", "REF-CAR"}));
        QCOMPARE(Codigos(), (QList<int> {0, 0, 2}));
        const qsizetype antes = m_simulador->Recibidos().size();

        QCOMPARE(m_ronda->Iniciar(), TResultadoInicio::Entregada);
        QVERIFY(m_ronda->RondaCategoria());
        QVERIFY(TerminaCon(Fin::Completada));

        const QString enalapril = QStringLiteral("CHARGE;ENALAPRIL 10 MG;") + Semana()
                + QStringLiteral("COMPRIMIDO REDONDO BLANCO;700001;0;0;0;0;0;0;0;0;");
        const QString sintrom = QStringLiteral("CHARGE;SINTROM 4 MG;") + Semana()
                + QStringLiteral("COMPRIMIDO REDONDO BLANCO;700002;0;0;0;0;0;0;0;0;");
        QTRY_COMPARE(Desde(antes),
                     (QStringList {"REQUESTHT;", "REQUESTSTATUS;", //
                                   "REQUESTSTATUS;", "START;REF-ANA;ANA PEREZ;;;06/05/2024;REF-ANA-1;",
                                   enalapril, "INIT;1;", "CLOSE;", //
                                   "REQUESTSTATUS;", "START;REF-BEA;BEA RUIZ;;;06/05/2024;REF-BEA-1;",
                                   sintrom, "INIT;1;", "CLOSE;"}));
        // The machine's side, as the trace shows it: both loads filled and closed.
        QCOMPARE(m_simulador->Traza().filter(QStringLiteral("OUT close;1|")).size(), 2);

        // Each patient's week stored once, with the run's environment; the loaded one untouched.
        QCOMPARE(Valor("SELECT COUNT(*) FROM Recarga").toInt(), 3);
        for (const int paciente : {m_ana, m_bea}) {
            QCOMPARE(Valor("SELECT COUNT(*) FROM Recarga WHERE idPaciente = ?", {paciente}).toInt(), 1);
            QCOMPARE(SqlFecha::leerDia(
                             Valor("SELECT FechaInicio FROM Recarga WHERE idPaciente = ?", {paciente})),
                     kLunes);
            QCOMPARE(
                    SqlFecha::leerDia(Valor("SELECT FechaFin FROM Recarga WHERE idPaciente = ?", {paciente})),
                    kLunes.addDays(6));
            QCOMPARE(Valor("SELECT Humedad FROM Recarga WHERE idPaciente = ?", {paciente}).toInt(), 40);
            QCOMPARE(sumaStock(*m_dm, paciente), 20.0 - 7);
        }
        QCOMPARE(Valor("SELECT COUNT(*) FROM Recarga WHERE idPaciente = ?", {m_carlos}).toInt(), 1);
        QCOMPARE(m_dialogos.etiquetas.size(), 2);
        QCOMPARE(Codigos(), (QList<int> {2, 2, 2}));
        QCOMPARE(m_ronda->CargadosRonda(), (QList<qint64> {m_ana, m_bea}));
        QCOMPARE(Valor("SELECT COUNT(*) FROM LOPD_Auditoria WHERE Accion = 'CATEGORIA CARGAS' AND "
                       "Operacion = 'CONSULTA' AND Resultado = 'ACEPTADO'")
                         .toInt(),
                 2);
        QVERIFY(m_dialogos.errores.isEmpty());
        Vigilando();
        QCOMPARE(m_ronda->TextoProgreso(), QString("CARGA DE LA CATEGORIA TERMINADA"));
    }

    // However the machine repeats a "close", each patient's load is stored once and only after
    // the machine filled it.
    void cierreRepetidoSeGuardaUnaVez_data()
    {
        QTest::addColumn<bool>("enSeguida");
        QTest::addColumn<int>("cierres");
        QTest::newRow("repeated at once") << true << 4;
        QTest::newRow("repeated after the next patient's hand-over") << false << 3;
    }
    void cierreRepetidoSeGuardaUnaVez()
    {
        QFETCH(bool, enSeguida);
        QFETCH(int, cierres);
        OpcionesSimulador opciones = Opciones();
        opciones.cierreDuplicado = enSeguida;
        opciones.cierreAnteriorTrasInit = !enSeguida;
        QVERIFY(Preparar(opciones));
        QCOMPARE(m_ronda->Iniciar(), TResultadoInicio::Entregada);
        QVERIFY(TerminaCon(Fin::Completada));
        QCOMPARE(Log().count(": INP: close;1"), cierres);
        QCOMPARE(Log().contains("Cierre ignorado"), !enSeguida);
        QCOMPARE(Valor("SELECT COUNT(*) FROM Recarga WHERE idPaciente IN (?, ?)", {m_ana, m_bea}).toInt(), 2);
        QCOMPARE(sumaStock(*m_dm, m_ana), 20.0 - 7);
        QCOMPARE(sumaStock(*m_dm, m_bea), 20.0 - 7);
        QCOMPARE(Enviados("CLOSE;"), 2);
        QCOMPARE(m_dialogos.etiquetas.size(), 2);
        // The second patient's blister was filled before it was stored.
        QCOMPARE(m_ronda->Sesion().Carga().Linea(0)->Estado, quint8(3));
        QVERIFY(Log().lastIndexOf(": INP: status;3;SINTROM") < Log().lastIndexOf(": SAVE_RECARGA: Cabecera"));
    }

    // Between two patients the run waits for the machine to be waiting again, and gives up with
    // the machine's message when it never is.
    void esperaDeLaMaquina_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("reposoMs");
        QTest::addColumn<bool>("anuncia");
        QTest::addColumn<Fin>("fin");
        QTest::addColumn<int>("cargas");
        QTest::newRow("asked, it waits again after a while") << "2.1" << 300 << false << Fin::Completada << 2;
        QTest::newRow("an older machine says it waits again") << "1.3" << 300 << true << Fin::Completada << 2;
        QTest::newRow("never waiting again") << "2.1" << -1 << false << Fin::SinReposo << 1;
        QTest::newRow("an older machine that never says it") << "1.3" << 300 << false << Fin::SinReposo << 1;
    }
    void esperaDeLaMaquina()
    {
        QFETCH(QString, version);
        QFETCH(int, reposoMs);
        QFETCH(bool, anuncia);
        QFETCH(Fin, fin);
        QFETCH(int, cargas);
        OpcionesSimulador opciones = Opciones();
        opciones.versionSoftware = version;
        opciones.info.Ver_uPC = version;
        opciones.reposoTrasCierreMs = reposoMs;
        opciones.anunciarReposo = anuncia;
        QVERIFY(Preparar(opciones));
        m_ronda->FijarEsperaReposo(1000);
        QCOMPARE(m_ronda->Iniciar(), TResultadoInicio::Entregada);
        QVERIFY(TerminaCon(fin));
        QCOMPARE(Valor("SELECT COUNT(*) FROM Recarga WHERE idPaciente IN (?, ?)", {m_ana, m_bea}).toInt(),
                 cargas);
        QCOMPARE(Enviados("START;"), cargas);
        if (fin == Fin::SinReposo)
            QCOMPARE(m_dialogos.errores,
                     QStringList {"NO SE PUEDE CARGAR PORQUE LA MAQUINA NO ESTA EN ESPERA"});
        else
            QVERIFY(m_dialogos.errores.isEmpty());
        Vigilando();
    }

    // A filled blister the database refused ends the run with its load kept; once stored it
    // counts as loaded, and the next run loads the others.
    void cargaSinGuardar()
    {
        QVERIFY(Preparar(Opciones()));
        rechazarLineasDeCarga(*m_dm, true);
        QCOMPARE(m_ronda->Iniciar(), TResultadoInicio::Entregada);
        QVERIFY(TerminaCon(Fin::SinGuardar));
        QVERIFY(m_ronda->Sesion().CargaSinGuardar());
        QVERIFY(m_ronda->Ocupada());
        QCOMPARE(Enviados("START;"), 1);
        QCOMPARE(Valor("SELECT COUNT(*) FROM Recarga WHERE idPaciente = ?", {m_ana}).toInt(), 0);
        QVERIFY(m_link->BusquedaActiva());

        rechazarLineasDeCarga(*m_dm, false);
        QVERIFY(m_ronda->Sesion().GuardarCargaLlenada());
        QCOMPARE(Codigos(), (QList<int> {2, 0, 2}));
        QCOMPARE(m_ronda->CargadosRonda(), QList<qint64> {m_ana});
        QVERIFY(!m_ronda->Ocupada());

        QCOMPARE(m_ronda->Iniciar(), TResultadoInicio::Entregada);
        QVERIFY(TerminaCon(Fin::Completada));
        QCOMPARE(Enviados("START;REF-BEA"), 1);
        QCOMPARE(Enviados("START;REF-ANA"), 1);
        QCOMPARE(Valor("SELECT COUNT(*) FROM Recarga WHERE idPaciente IN (?, ?)", {m_ana, m_bea}).toInt(), 2);
    }

    void desconexion_data()
    {
        QTest::addColumn<bool>("enMitadDeCarga");
        QTest::newRow("while the first blister is filled") << true;
        QTest::newRow("between the two patients") << false;
    }
    void desconexion()
    {
        QFETCH(bool, enMitadDeCarga);
        OpcionesSimulador opciones = Opciones();
        opciones.intervaloMs = 50;
        if (enMitadDeCarga)
            opciones.desconectarEn = 1;
        else
            opciones.desconectarTrasCierre = 1;
        QVERIFY(Preparar(opciones));
        QCOMPARE(m_ronda->Iniciar(), TResultadoInicio::Entregada);
        QVERIFY(TerminaCon(Fin::Desconectada));
        QCOMPARE(m_dialogos.errores,
                 QStringList {
                         "LA MAQUINA SE HA DESCONECTADO. LA CARGA DE LA CATEGORIA SE HA DETENIDO Y LA CARGA "
                         "DEL PACIENTE EN CURSO NO SE HA GUARDADO"});
        QCOMPARE(Valor("SELECT COUNT(*) FROM Recarga WHERE idPaciente = ?", {m_ana}).toInt(),
                 enMitadDeCarga ? 0 : 1);
        QCOMPARE(Valor("SELECT COUNT(*) FROM Recarga WHERE idPaciente = ?", {m_bea}).toInt(), 0);
        QVERIFY(!m_ronda->Sesion().CargaEnCurso());
        QVERIFY(m_ronda->Sesion().EstadoUI() != EstadoCargaUI::kCargando);
        // Discovery is on again: the machine finds the workstation and connects.
        Vigilando();
        QTRY_VERIFY_WITH_TIMEOUT(m_link->NumeroConexiones() > 0 && m_simulador->Conectado(), kEsperaMs);
    }

    void detener_data()
    {
        QTest::addColumn<bool>("duranteLaCarga");
        QTest::newRow("while the first blister is filled") << true;
        QTest::newRow("while waiting for the machine") << false;
    }
    void detener()
    {
        QFETCH(bool, duranteLaCarga);
        OpcionesSimulador opciones = Opciones();
        opciones.intervaloMs = 50;
        opciones.reposoTrasCierreMs = duranteLaCarga ? 0 : -1;
        QVERIFY(Preparar(opciones));
        QCOMPARE(m_ronda->Iniciar(), TResultadoInicio::Entregada);
        if (duranteLaCarga)
            QTRY_VERIFY_WITH_TIMEOUT(m_ronda->Sesion().CargaEnCurso(), kEsperaMs);
        else
            QTRY_VERIFY_WITH_TIMEOUT(m_ronda->CargadosRonda().size() == 1, kEsperaMs);
        m_ronda->Detener();
        QCOMPARE(m_ronda->RondaCategoria(), duranteLaCarga);
        QVERIFY(TerminaCon(Fin::Detenida));
        // The patient started is loaded and stored; the next one is not started.
        QCOMPARE(Valor("SELECT COUNT(*) FROM Recarga WHERE idPaciente = ?", {m_ana}).toInt(), 1);
        QCOMPARE(Enviados("START;"), 1);
        QVERIFY(m_dialogos.errores.isEmpty());
        QCOMPARE(m_ronda->TextoProgreso(), QString("CARGA DE LA CATEGORIA DETENIDA"));
        Vigilando();
    }

    // Patient after patient by hand, in one loop: each one's blister dialog, then the next.
    void cargaManual_data()
    {
        QTest::addColumn<int>("cancelarBlister");
        QTest::addColumn<Fin>("fin");
        QTest::addColumn<int>("cargados");
        QTest::newRow("every patient by hand") << 0 << Fin::Completada << 2;
        QTest::newRow("the second patient's blister cancelled") << 2 << Fin::Cancelada << 1;
    }
    void cargaManual()
    {
        QFETCH(int, cancelarBlister);
        QFETCH(Fin, fin);
        QFETCH(int, cargados);
        SinMaquina();
        Preferencias().TipoCarga = 1;
        m_dialogos.cancelarBlister = cancelarBlister;
        QCOMPARE(m_ronda->Iniciar(), TResultadoInicio::Manual);
        QVERIFY(m_ronda->UltimoFin() == fin);
        QCOMPARE(m_dialogos.blisters.size(), 2);
        QCOMPARE(m_dialogos.blisters.first().paciente, QString("ANA PEREZ"));
        QCOMPARE(m_dialogos.blisters.last().paciente, QString("BEA RUIZ"));
        QCOMPARE(m_ronda->CargadosRonda(), (QList<qint64> {m_ana, m_bea}.mid(0, cargados)));
        QCOMPARE(Valor("SELECT COUNT(*) FROM Recarga WHERE idPaciente IN (?, ?)", {m_ana, m_bea}).toInt(),
                 cargados);
        QVERIFY(!m_ronda->RondaCategoria());
    }

    void hojaAdministracionTrasLaRonda_data()
    {
        QTest::addColumn<QString>("pais");
        QTest::addColumn<bool>("hoja");
        QTest::newRow("United Kingdom") << "3" << true;
        QTest::newRow("Spain") << "0" << false;
    }
    void hojaAdministracionTrasLaRonda()
    {
        QFETCH(QString, pais);
        QFETCH(bool, hoja);
        SinMaquina();
        Preferencias().TipoCarga = 1;
        Preferencias().Pais = pais;
        QList<QList<qint64>> hojas;
        QList<QDate> inicios;
        m_ronda->OnHojaAdministracion = [&](const QList<qint64> &pacientes, const QDate &inicio) {
            hojas << pacientes;
            inicios << inicio;
        };
        QCOMPARE(m_ronda->Iniciar(), TResultadoInicio::Manual);
        QCOMPARE(hojas.size(), hoja ? 1 : 0);
        if (hoja) {
            QCOMPARE(hojas.first(), (QList<qint64> {m_ana, m_bea}));
            QCOMPARE(inicios.first(), kLunes);
        }
    }

    // Another workstation stores BEA's week while ANA's blister is filled: the run does not load
    // it again, shows it completed and ends as usual.
    void semanaGuardadaDuranteLaRonda_data()
    {
        QTest::addColumn<bool>("manual");
        QTest::newRow("on the machine") << false;
        QTest::newRow("by hand") << true;
    }
    void semanaGuardadaDuranteLaRonda()
    {
        QFETCH(bool, manual);
        if (manual) {
            SinMaquina();
            Preferencias().TipoCarga = 1;
            m_dialogos.alMostrarBlister = [this] {
                if (m_dialogos.blisters.size() == 1)
                    GuardarSemana(m_bea);
            };
            QCOMPARE(m_ronda->Iniciar(), TResultadoInicio::Manual);
            QCOMPARE(m_dialogos.blisters.size(), 1);
        } else {
            OpcionesSimulador opciones = Opciones();
            opciones.intervaloMs = 50;
            QVERIFY(Preparar(opciones));
            QCOMPARE(m_ronda->Iniciar(), TResultadoInicio::Entregada);
            QTRY_VERIFY_WITH_TIMEOUT(m_ronda->Sesion().CargaEnCurso(), kEsperaMs);
            GuardarSemana(m_bea);
            QVERIFY(TerminaCon(Fin::Completada));
            QCOMPARE(Enviados("START;REF-BEA"), 0);
        }
        QVERIFY(m_ronda->UltimoFin() == Fin::Completada);
        QCOMPARE(Valor("SELECT COUNT(*) FROM Recarga WHERE idPaciente = ?", {m_bea}).toInt(), 1);
        QCOMPARE(sumaStock(*m_dm, m_bea), 20.0);
        QCOMPARE(Codigos(), (QList<int> {2, 2, 2}));
        QCOMPARE(m_ronda->CargadosRonda(), QList<qint64> {m_ana});
        QVERIFY(m_dialogos.errores.isEmpty());
    }

    // A refused start changes nothing and leaves discovery and the probe on.
    void inicioRechazado_data()
    {
        QTest::addColumn<QString>("fecha");
        QTest::addColumn<int>("estadoReposo");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("machine not waiting")
                << "06/05/2024" << 1 << "NO SE PUEDE CARGAR PORQUE LA MAQUINA NO ESTA EN ESPERA";
        QTest::newRow("a past week") << "29/04/2024" << 0 << "LA FECHA NO PUEDE SER MENOR QUE HOY";
        QTest::newRow("not a date") << "29/02/2023" << 0 << "EL FORMATO ES INCORRECTO";
    }
    void inicioRechazado()
    {
        QFETCH(QString, fecha);
        QFETCH(int, estadoReposo);
        QFETCH(QString, mensaje);
        OpcionesSimulador opciones = Opciones();
        opciones.estadoReposo = quint8(estadoReposo);
        QVERIFY(Preparar(opciones));
        m_ronda->CambiarFecha(fecha);
        QVERIFY(m_ronda->Iniciar() != TResultadoInicio::Entregada);
        QCOMPARE(m_dialogos.errores, QStringList {mensaje});
        QVERIFY(!m_ronda->RondaCategoria());
        QCOMPARE(Enviados("START;"), 0);
        Vigilando();
    }

    void salirDuranteLaRonda_data()
    {
        QTest::addColumn<bool>("confirma");
        QTest::newRow("the user stays") << false;
        QTest::newRow("the user leaves") << true;
    }
    void salirDuranteLaRonda()
    {
        QFETCH(bool, confirma);
        OpcionesSimulador opciones = Opciones();
        opciones.intervaloMs = 50;
        QVERIFY(Preparar(opciones));
        QCOMPARE(m_ronda->Iniciar(), TResultadoInicio::Entregada);
        QTRY_VERIFY_WITH_TIMEOUT(m_ronda->Sesion().CargaEnCurso(), kEsperaMs);
        m_dialogos.confirmar = confirma;
        QCOMPARE(m_ronda->Salir(), confirma);
        QCOMPARE(m_dialogos.preguntas, QStringList {"¿ESTAS SEGURO DE SALIR Y CANCELAR LA RECARGA ACTUAL?"});
        if (!confirma) {
            QVERIFY(TerminaCon(Fin::Completada));
            QCOMPARE(Valor("SELECT COUNT(*) FROM Recarga WHERE idPaciente IN (?, ?)", {m_ana, m_bea}).toInt(),
                     2);
            return;
        }
        QVERIFY(!m_ronda->RondaCategoria());
        QVERIFY(m_ronda->UltimoFin() == Fin::Salida);
        QTRY_VERIFY(m_simulador->Recibidos().contains("CANCEL;"));
        QCOMPARE(Valor("SELECT COUNT(*) FROM Recarga WHERE idPaciente IN (?, ?)", {m_ana, m_bea}).toInt(), 0);
        QVERIFY(!m_link->BusquedaActiva());
    }

private:
    static OpcionesSimulador Opciones() { return MaquinaPrueba::Rapida(); }

    // The category: ANA and BEA with one pill a day, CARLOS whose week is stored already, and an
    // inactive patient and a patient of another category who are not listed.
    void Categoria()
    {
        TDM &dm = *m_dm;
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        medicamento(dm, kSintrom, QStringLiteral("SINTROM"), QStringLiteral("4 MG"));
        m_ana = Paciente(QStringLiteral("ANA PEREZ"), kEnalapril);
        m_bea = Paciente(QStringLiteral("BEA RUIZ"), kSintrom);
        m_carlos = Paciente(QStringLiteral("CARLOS GIL"), kEnalapril);
        GuardarSemana(m_carlos);
        const int inactivo = Paciente(QStringLiteral("DAVID SANZ"), kEnalapril);
        dm.Ejecutar(QStringLiteral("UPDATE Paciente SET Iactivo = 0 WHERE idPaciente = ?"), {inactivo});
        const int otra = Paciente(QStringLiteral("ELENA DIAZ"), kEnalapril);
        dm.Ejecutar(QStringLiteral("UPDATE Paciente SET CodCategoria = ? WHERE idPaciente = ?"),
                    {kCategoria + 1, otra});
    }

    // The patient's week from kLunes stored, as another workstation stores it.
    void GuardarSemana(int paciente)
    {
        m_dm->Anadir(QStringLiteral("Recarga"),
                     {{QStringLiteral("idPaciente"), paciente},
                      {QStringLiteral("refRecarga"), 1},
                      {QStringLiteral("FechaInicio"), SqlFecha::valor(kLunes)},
                      {QStringLiteral("FechaFin"), SqlFecha::valor(kLunes.addDays(6))}});
    }

    int Paciente(const QString &nombre, qint64 idMedicamento)
    {
        TDM &dm = *m_dm;
        const int id = paciente(dm, 1, nombre);
        dm.Ejecutar(QStringLiteral("UPDATE Paciente SET CodCategoria = ?, Iactivo = 1 WHERE idPaciente = ?"),
                    {kCategoria, id});
        tratamiento(dm, id, idMedicamento, 0);
        stock(dm, id, idMedicamento, 20);
        return id;
    }

    // The machine, the link and the run opened on the category.
    bool Preparar(const OpcionesSimulador &opciones)
    {
        if (!MaquinaPrueba::Arrancar(opciones, m_simulador, m_link))
            return false;
        m_ronda = std::make_unique<TRondaCategoria>(*m_dm, *m_link, m_dialogos);
        m_ronda->Abrir(kCategoria);
        return true;
    }

    // The run opened with no machine at all (manual mode).
    void SinMaquina()
    {
        m_link = std::make_unique<TDispenserTCP>(TConfiguracionRedDispensador::Local(0, 9));
        m_ronda = std::make_unique<TRondaCategoria>(*m_dm, *m_link, m_dialogos);
        m_ronda->Abrir(kCategoria);
    }

    bool TerminaCon(Fin fin)
    {
        if (!QTest::qWaitFor([this] { return !m_ronda->RondaCategoria(); }, kEsperaMs))
            return false;
        QCoreApplication::processEvents();
        if (m_ronda->UltimoFin() != fin)
            qWarning() << "the run ended with" << (m_ronda->UltimoFin() ? int(*m_ronda->UltimoFin()) : -1);
        return m_ronda->UltimoFin() == fin;
    }

    // Once the run ended, discovery and the probe are on again.
    void Vigilando() const
    {
        QVERIFY(!m_ronda->RondaCategoria());
        QVERIFY(m_link->BusquedaActiva());
    }

    QStringList Referencias() const
    {
        QStringList referencias;
        for (const TFilaPacienteCategoria &fila : m_ronda->Filas())
            referencias << fila.RefPaciente;
        return referencias;
    }

    QList<int> Codigos() const
    {
        QList<int> codigos;
        for (const TFilaPacienteCategoria &fila : m_ronda->Filas())
            codigos << fila.EstadoCode;
        return codigos;
    }

    // One pill at breakfast every day of the week, as "CHARGE" carries it.
    static QString Semana() { return QStringLiteral("1;0;0;0;").repeated(7); }

    // How many messages of the kind the machine received.
    int Enviados(const QByteArray &palabra) const
    {
        return int(std::count_if(m_simulador->Recibidos().cbegin(), m_simulador->Recibidos().cend(),
                                 [&](const QByteArray &mensaje) { return mensaje.startsWith(palabra); }));
    }

    // The messages the machine received from the index on.
    QStringList Desde(qsizetype indice) const
    {
        QStringList mensajes;
        const QList<QByteArray> &recibidos = m_simulador->Recibidos();
        for (qsizetype i = indice; i < recibidos.size(); ++i)
            mensajes << QString::fromUtf8(recibidos.at(i));
        return mensajes;
    }

    QVariant Valor(const char *sql, const QVariantList &valores = {})
    {
        return m_dm->Valor(QString::fromLatin1(sql), valores);
    }

    QString Log() const
    {
        return QString::fromUtf8(m_db->appDirectory().read(QStringLiteral("pastillero.log")));
    }

    std::unique_ptr<FixedClock> m_reloj;
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<TDM> m_dm;
    std::unique_ptr<TPreferences> m_preferencias;
    DialogosGrabados m_dialogos;
    std::unique_ptr<SimuladorDispensador> m_simulador;
    std::unique_ptr<TDispenserTCP> m_link;
    std::unique_ptr<TRondaCategoria> m_ronda;
    int m_ana = 0;
    int m_bea = 0;
    int m_carlos = 0;
};

PASTILLERO_DATA_TEST_MAIN(TestCargaCategoria)
#include "test_carga_categoria.moc"
