// A patient's load from end to end over real loopback sockets with the machine simulator: the
// plan, the checks, the hand-over, the machine's progress and close, the stored load with its
// stock consumption, the marked treatment version and the label sheet; and the faults.
#include "../core/loading/CargaPrueba.h"
#include "OpcionesSimulador.h"
#include "SimuladorDispensador.h"
#include "core/common/Clock.h"
#include "core/dispenser/UDispenserTCP.h"
#include "core/loading/DatosEtiquetas.h"
#include "core/loading/DialogosCarga.h"
#include "core/loading/EtiquetasCarga.h"
#include "core/loading/TSesionCarga.h"
#include "core/settings/uPreferencias.h"
#include "core/shell/uLog.h"
#include "support/MaquinaPrueba.h"
#include "support/TestDatabase.h"

#include <QtTest>

using namespace CargaPrueba;

namespace {

constexpr qint64 kEnalapril = 8470001234567; // a whole EAN-13 code: wider than 32 bits
constexpr qint64 kSintrom = 700002;
constexpr qint64 kParche = 700003;
const QDate kLunes(2024, 5, 6);

// Answers the load's dialogs from a script and keeps what it was shown and printed.
class DialogosGrabados : public TDialogosCarga
{
public:
    QStringList errores;
    QStringList informes;
    QStringList preguntas;
    QList<TBlisterManual> blisters;
    QList<qint64> etiquetas;
    QList<TReportDocument> hojas;
    bool aceptarManual = true;
    bool confirmar = true;
    int cancelarBlister = 0; // the manual blister (from 1) the user cancels; 0 none
    // Runs while a question is open, before it is answered (the user still reading it).
    std::function<void()> mientrasPregunta;

    void Error(const QString &texto) override { errores << texto; }
    void Informar(const QString &texto) override { informes << texto; }
    bool Aceptar(const QString &texto) override
    {
        informes << texto;
        return aceptarManual;
    }
    bool Confirmar(const QString &pregunta) override
    {
        preguntas << pregunta;
        if (mientrasPregunta)
            mientrasPregunta();
        return confirmar;
    }
    bool BlisterManual(const TBlisterManual &blister) override
    {
        blisters << blister;
        return blisters.size() != cancelarBlister;
    }
    void ImprimirEtiquetas(qint64 idRecarga) override
    {
        etiquetas << idRecarga;
        const TEtiquetaCarga etiqueta = LeerEtiquetaCarga(idRecarga);
        const TPreferences &preferencias = Preferencias();
        hojas << InformeEtiquetas(etiqueta, FormatoEtiqueta(preferencias.PEtiquetas, preferencias.TipoCarga),
                                  OpcionesEtiqueta(etiqueta));
    }
};

} // namespace

class TestCargaPaciente : public QObject
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
    }

    void cleanup()
    {
        m_sesion.reset();
        m_link.reset();
        m_simulador.reset();
        m_preferencias.reset();
        m_dm.reset();
        m_db.reset();
        m_reloj.reset();
        uLog::CerrarLog();
    }

    void cargaCompletaGuardadaYEtiquetada()
    {
        QVERIFY(Preparar(Opciones()));
        QCOMPARE(m_sesion->TextoInicio(), QString("06/05/2024"));
        QCOMPARE(m_sesion->TextoFin(), QString("12/05/2024"));
        QCOMPARE(m_sesion->Carga().Count(), 4); // enalapril, sintrom halves and wholes, the patch

        QCOMPARE(m_sesion->Iniciar(), TResultadoInicio::Entregada);
        QVERIFY(!m_link->BusquedaActiva());
        QTRY_COMPARE_WITH_TIMEOUT(m_sesion->EstadoUI(), EstadoCargaUI::kCompletado, 10000);

        QVERIFY(m_dialogos.errores.isEmpty());
        const QList<QByteArray> &recibidos = m_simulador->Recibidos();
        QVERIFY(recibidos.contains("START;REF-ANA;ANA PEREZ;;;06/05/2024;REF-ANA-1;"));
        QCOMPARE(Comandos("CHARGE"), (QStringList {"ENALAPRIL 10 MG", "(1/2) SINTROM 4 MG", "SINTROM 4 MG"}));
        QVERIFY(recibidos.contains("INIT;3;"));
        QTRY_VERIFY(m_simulador->Recibidos().contains("CLOSE;"));

        // Every blister portion placed as reported.
        const TRecarga &carga = m_sesion->Carga();
        for (int i = 0; i < 3; ++i)
            QCOMPARE(carga.Linea(i)->Estado, quint8(3));

        // Stored once, with the machine's environment, the stock it took and the version marked.
        QCOMPARE(Valor("SELECT COUNT(*) FROM Recarga").toInt(), 1);
        const qint64 id = m_sesion->UltimaCarga();
        QCOMPARE(Valor("SELECT Humedad FROM Recarga WHERE idRecarga = ?", {id}).toInt(), 40);
        QCOMPARE(Valor("SELECT Temperatura FROM Recarga WHERE idRecarga = ?", {id}).toInt(), 22);
        QCOMPARE(SqlFecha::leerDia(Valor("SELECT FechaFin FROM Recarga WHERE idRecarga = ?", {id})),
                 kLunes.addDays(6));
        QCOMPARE(sumaStock(*m_dm, m_paciente), 40.0 - 7 - 3.5 - 7);
        QCOMPARE(Valor("SELECT COUNT(*) FROM SPDHIST WHERE IDPaciente = ? AND IuCarga = 1", {m_paciente})
                                 .toInt()
                         > 0,
                 true);
        QCOMPARE(m_dialogos.etiquetas, QList<qint64> {id});
        QVERIFY(!m_dialogos.hojas.first().bands.isEmpty());
        QCOMPARE(Auditorias("CREACION CARGAS"), QStringList {"ACEPTADO"});
        QVERIFY(m_link->BusquedaActiva());

        // The 13-digit code reaches the machine, the stored lines and the labels unchanged.
        QCOMPARE(CampoDeComando("CHARGE", 31).first(), QString::number(kEnalapril));
        QCOMPARE(Valor("SELECT COUNT(*) FROM RecargaLinea WHERE idRecarga = ? AND idMedicamento = ?",
                       {id, kEnalapril})
                         .toInt(),
                 1);
        QCOMPARE(DatosEtiquetas(id).ListaBlister.first().medicamento,
                 QString::number(kEnalapril) + QStringLiteral(" ENALAPRIL 10 MG"));

        // "ETIQUETAS" prints the stored load again.
        m_sesion->ImprimirEtiquetas();
        QCOMPARE(m_dialogos.etiquetas, (QList<qint64> {id, id}));
    }

    void cancelacionYCierreTardio_data()
    {
        QTest::addColumn<bool>("laMaquinaCancela");
        QTest::newRow("the machine cancels") << true;
        QTest::newRow("the user leaves the screen") << false;
    }
    void cancelacionYCierreTardio()
    {
        QFETCH(bool, laMaquinaCancela);
        OpcionesSimulador opciones = Opciones();
        opciones.cierreTrasCancelar = true;
        if (laMaquinaCancela)
            opciones.cancelarEn = 2;
        else
            opciones.intervaloMs = 200; // time to leave the screen mid-load
        QVERIFY(Preparar(opciones));
        QCOMPARE(m_sesion->Iniciar(), TResultadoInicio::Entregada);
        if (laMaquinaCancela) {
            QTRY_COMPARE_WITH_TIMEOUT(m_sesion->EstadoUI(), EstadoCargaUI::kCancelado, 10000);
            // The plan is rebuilt from the treatment.
            QCOMPARE(m_sesion->Carga().Count(), 4);
            QCOMPARE(m_sesion->Carga().Linea(0)->Estado, quint8(1));
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(m_sesion->CargaEnCurso(), 10000);
            QVERIFY(m_sesion->Salir());
            QCOMPARE(m_dialogos.preguntas.size(), 1);
        }
        QVERIFY(!m_sesion->CargaEnCurso());
        QTRY_VERIFY(m_simulador->Recibidos().contains("CANCEL;"));
        // The machine's late "close" arrives and is handed to the session: nothing is stored.
        QTRY_VERIFY_WITH_TIMEOUT(m_link->Cerrado, 10000);
        QCoreApplication::processEvents();
        QCOMPARE(Valor("SELECT COUNT(*) FROM Recarga").toInt(), 0);
        QCOMPARE(sumaStock(*m_dm, m_paciente), 40.0);
        QVERIFY(m_dialogos.etiquetas.isEmpty());
        QVERIFY(!m_simulador->Recibidos().contains("CLOSE;"));
        QCOMPARE(m_sesion->UltimaCarga(), qint64(-1));
    }

    // A start field that is not a date plans the week from today, which is stored already: the
    // week is loaded again only when the user says yes to the question naming the stored load.
    void semanaYaCargada_data()
    {
        QTest::addColumn<bool>("otraVez");
        QTest::newRow("loaded again") << true;
        QTest::newRow("not loaded again") << false;
    }
    void semanaYaCargada()
    {
        QFETCH(bool, otraVez);
        QVERIFY(Preparar(Opciones()));
        QCOMPARE(m_sesion->Iniciar(), TResultadoInicio::Entregada);
        QTRY_COMPARE_WITH_TIMEOUT(m_sesion->EstadoUI(), EstadoCargaUI::kCompletado, 10000);

        stock(*m_dm, m_paciente, kSintrom, 20); // enough for a second week
        m_dialogos.confirmar = otraVez;
        m_sesion->FijarFechas(QStringLiteral("el lunes"), QString());
        QCOMPARE(m_sesion->Iniciar(), otraVez ? TResultadoInicio::Entregada : TResultadoInicio::Rechazada);
        QCOMPARE(m_dialogos.preguntas,
                 QStringList {
                         "ESTA SEMANA YA ESTA CARGADA: CARGA 1 DEL 06/05/2024. ¿QUIERE CARGARLA OTRA VEZ?"});
        QTRY_COMPARE_WITH_TIMEOUT(Valor("SELECT COUNT(*) FROM Recarga").toInt(), otraVez ? 2 : 1, 10000);
        QTRY_COMPARE(m_dialogos.etiquetas.size(), otraVez ? 2 : 1);
        QCOMPARE(Comandos("START").size(), otraVez ? 2 : 1);
        QCOMPARE(Auditorias("CREACION CARGAS"),
                 (QStringList {"ACEPTADO", otraVez ? "ACEPTADO" : "RECHAZADO"}));
    }

    // "VOLVER" (or closing the application) mid-load, and the machine finishes while the question
    // is open: the stored load is kept whatever the answer; leaving says it was stored.
    void laCargaTerminaConLaPreguntaDeSalirAbierta_data()
    {
        QTest::addColumn<bool>("salir");
        QTest::addColumn<bool>("aplicacion");
        QTest::newRow("leave the screen") << true << false;
        QTest::newRow("stay") << false << false;
        QTest::newRow("exit the program") << true << true;
    }
    void laCargaTerminaConLaPreguntaDeSalirAbierta()
    {
        QFETCH(bool, salir);
        QFETCH(bool, aplicacion);
        OpcionesSimulador opciones = Opciones();
        opciones.intervaloMs = 100;
        QVERIFY(Preparar(opciones));
        QCOMPARE(m_sesion->Iniciar(), TResultadoInicio::Entregada);
        QVERIFY(m_sesion->TrabajoEnCurso());
        m_dialogos.confirmar = salir;
        m_dialogos.mientrasPregunta = [this] {
            QTRY_COMPARE_WITH_TIMEOUT(m_sesion->EstadoUI(), EstadoCargaUI::kCompletado, 10000);
        };
        QCOMPARE(m_sesion->Salir(aplicacion), salir);
        QCOMPARE(m_dialogos.preguntas.size(), 1);
        QCOMPARE(m_dialogos.preguntas.first().contains(QStringLiteral("PROGRAMA")), aplicacion);
        QCOMPARE(m_sesion->EstadoUI(), EstadoCargaUI::kCompletado);
        QCOMPARE(Valor("SELECT COUNT(*) FROM Recarga").toInt(), 1);
        QCOMPARE(m_dialogos.etiquetas.size(), 1);
        QCOMPARE(m_dialogos.informes.size(), salir ? 1 : 0);
        QVERIFY(!m_simulador->Recibidos().contains("CANCEL;"));
    }

    void cierreDuplicadoSeGuardaUnaVez()
    {
        OpcionesSimulador opciones = Opciones();
        opciones.cierreDuplicado = true;
        QVERIFY(Preparar(opciones));
        QCOMPARE(m_sesion->Iniciar(), TResultadoInicio::Entregada);
        QTRY_COMPARE_WITH_TIMEOUT(Log().count(": INP: close;3"), 2, 10000);
        QTRY_COMPARE(m_sesion->EstadoUI(), EstadoCargaUI::kCompletado);
        QCoreApplication::processEvents();
        QCOMPARE(Valor("SELECT COUNT(*) FROM Recarga").toInt(), 1);
        QCOMPARE(sumaStock(*m_dm, m_paciente), 40.0 - 7 - 3.5 - 7);
        QCOMPARE(m_dialogos.etiquetas.size(), 1);
        QCOMPARE(m_simulador->Recibidos().count("CLOSE;"), 1);
    }

    void desconexionEnMitadDeLaCarga()
    {
        OpcionesSimulador opciones = Opciones();
        opciones.desconectarEn = 2;
        QVERIFY(Preparar(opciones));
        QCOMPARE(m_sesion->Iniciar(), TResultadoInicio::Entregada);
        QTRY_COMPARE_WITH_TIMEOUT(m_link->NumeroConexiones(), qsizetype(0), 10000);
        // The screen keeps waiting for the machine; nothing is stored.
        QCOMPARE(m_sesion->EstadoUI(), EstadoCargaUI::kCargando);
        QVERIFY(m_sesion->CargaEnCurso());
        QCOMPARE(Valor("SELECT COUNT(*) FROM Recarga").toInt(), 0);
        // Leaving asks, cancels and ends the load.
        QVERIFY(m_sesion->Salir());
        QVERIFY(!m_sesion->CargaEnCurso());
        QCOMPARE(m_sesion->EstadoUI(), EstadoCargaUI::kCancelado);
        QCOMPARE(Valor("SELECT COUNT(*) FROM Recarga").toInt(), 0);
    }

    void sinMaquina()
    {
        Paciente(20);
        // A link that listens but whose announcements reach no machine.
        m_link = std::make_unique<TDispenserTCP>(TConfiguracionRedDispensador::Local(0, 9));
        Abrir();
        QCOMPARE(m_sesion->Iniciar(), TResultadoInicio::Rechazada);
        QCOMPARE(m_dialogos.errores, QStringList {"NO SE PUEDE CARGAR PORQUE LA MAQUINA NO ESTA CONECTADA"});
        QVERIFY(!m_sesion->Conectado());
        QVERIFY(m_link->BusquedaActiva());
        QCOMPARE(Auditorias("CREACION CARGAS"), QStringList {"RECHAZADO"});
    }

    void ambienteFueraDeLimites()
    {
        OpcionesSimulador opciones = Opciones();
        opciones.humedad = 90;
        QVERIFY(Preparar(opciones));
        QCOMPARE(m_sesion->Iniciar(), TResultadoInicio::Rechazada);
        QCOMPARE(m_dialogos.errores.last(),
                 QString("LA HUMEDAD 90 ES SUPERIOR A LA HUMEDAD MÁXIMA PERMITIDA"));
        Rechazada();
    }

    void maquinaNoEnEspera()
    {
        OpcionesSimulador opciones = Opciones();
        opciones.estadoReposo = 1;
        QVERIFY(Preparar(opciones));
        QCOMPARE(m_sesion->Iniciar(), TResultadoInicio::Rechazada);
        QCOMPARE(m_dialogos.errores.last(),
                 QString("NO SE PUEDE CARGAR PORQUE LA MAQUINA NO ESTA EN ESPERA"));
        Rechazada();
    }

    void unidadesInsuficientes()
    {
        QVERIFY(Preparar(Opciones(), 3));
        // The warning of the opening already names the shortage.
        QTRY_VERIFY(m_dialogos.errores.contains("NO HAY SUFICIENTES PASTILLAS PARA SIGUIENTE CARGA "));
        m_dialogos.errores.clear();
        QCOMPARE(m_sesion->Iniciar(), TResultadoInicio::Rechazada);
        QCOMPARE(m_dialogos.errores, QStringList {"NO HAY SUFICIENTES PASTILLAS PARA SIGUIENTE CARGA "});
        Rechazada();
    }

    void laMaquinaSeQuedaSinUnidades()
    {
        OpcionesSimulador opciones = Opciones();
        opciones.insuficienteEn = 1;
        QVERIFY(Preparar(opciones));
        QCOMPARE(m_sesion->Iniciar(), TResultadoInicio::Entregada);
        QTRY_COMPARE_WITH_TIMEOUT(m_sesion->EstadoUI(), EstadoCargaUI::kCompletado, 10000);
        const TRecarga &carga = m_sesion->Carga();
        QCOMPARE(carga.Linea(0)->Estado, quint8(5));
        QCOMPARE(carga.Linea(0)->Cargadas, 6);
        // The following medications took their own reports.
        QCOMPARE(carga.Linea(1)->Estado, quint8(3));
        QCOMPARE(carga.Linea(2)->Estado, quint8(3));
        QCOMPARE(Valor("SELECT COUNT(*) FROM Recarga").toInt(), 1);
    }

    // A filled blister whose load the database refused is kept: stored later with its labels, or
    // abandoned only when the user says so, with its contents in the log.
    void fallaAlGuardar_data()
    {
        QTest::addColumn<bool>("abandonar");
        QTest::newRow("stored again once the database accepts it") << false;
        QTest::newRow("abandoned on leaving") << true;
    }
    void fallaAlGuardar()
    {
        QFETCH(bool, abandonar);
        QVERIFY(Preparar(Opciones()));
        rechazarLineasDeCarga(*m_dm, true);
        QCOMPARE(m_sesion->Iniciar(), TResultadoInicio::Entregada);
        QTRY_COMPARE_WITH_TIMEOUT(m_sesion->EstadoUI(), EstadoCargaUI::kCompletado, 10000);
        QCOMPARE(m_sesion->UltimaCarga(), qint64(-1));
        QVERIFY(m_sesion->CargaSinGuardar());
        QCOMPARE(m_dialogos.errores,
                 QStringList {"EL BLISTER SE HA LLENADO PERO LA CARGA NO SE HA PODIDO GUARDAR. PULSE GUARDAR "
                              "CARGA PARA INTENTARLO DE NUEVO; LAS ETIQUETAS SE IMPRIMEN AL GUARDARLA"});
        QVERIFY(m_dialogos.etiquetas.isEmpty());
        QCOMPARE(Valor("SELECT COUNT(*) FROM Recarga").toInt(), 0);
        QCOMPARE(sumaStock(*m_dm, m_paciente), 40.0);
        QCOMPARE(Valor("SELECT COUNT(*) FROM SPDHIST WHERE IuCarga = 1").toInt(), 0);
        // The filled load is neither rebuilt nor replaced by another one.
        QCOMPARE(m_sesion->Iniciar(), TResultadoInicio::EnCurso);
        m_sesion->CambiarFechas(QStringLiteral("13/05/2024"), QString());
        QCOMPARE(m_sesion->Carga().Linea(0)->Estado, quint8(3));

        if (abandonar) {
            m_dialogos.confirmar = false;
            QVERIFY(!m_sesion->Salir()); // the user stays with it
            m_dialogos.confirmar = true;
            QVERIFY(m_sesion->Salir());
            QVERIFY(!m_sesion->CargaSinGuardar());
            QVERIFY(Log().contains(QString::number(kEnalapril)
                                   + QStringLiteral(" ENALAPRIL 10 MG [1;0;0;0;")));
            QCOMPARE(Valor("SELECT COUNT(*) FROM Recarga").toInt(), 0);
            return;
        }
        rechazarLineasDeCarga(*m_dm, false);
        QVERIFY(m_sesion->GuardarCargaLlenada());
        QVERIFY(!m_sesion->CargaSinGuardar());
        QCOMPARE(Valor("SELECT COUNT(*) FROM Recarga").toInt(), 1);
        QCOMPARE(sumaStock(*m_dm, m_paciente), 40.0 - 7 - 3.5 - 7);
        QCOMPARE(m_dialogos.etiquetas, QList<qint64> {m_sesion->UltimaCarga()});
        QVERIFY(Valor("SELECT COUNT(*) FROM SPDHIST WHERE IuCarga = 1").toInt() > 0);
    }

    void cargaManual()
    {
        QVERIFY(Preparar(Opciones()));
        Preferencias().TipoCarga = 1;
        QCOMPARE(m_sesion->Iniciar(), TResultadoInicio::Manual);
        QCOMPARE(m_dialogos.blisters.size(), 3);
        const TBlisterManual &medios = m_dialogos.blisters.at(1);
        QCOMPARE(medios.medicamento, QString("(1/2) SINTROM 4 MG"));
        QCOMPARE(medios.porcion, 0.5);
        QCOMPARE(medios.celdas, QString("1;0;0;0;").repeated(7).chopped(1));
        QCOMPARE(medios.paciente, QString("ANA PEREZ"));
        QCOMPARE(m_dialogos.informes.last(), QString("Carga Realizada Completamente"));
        QCOMPARE(m_sesion->EstadoUI(), EstadoCargaUI::kCompletado);
        QCOMPARE(Valor("SELECT COUNT(*) FROM Recarga").toInt(), 1);
        QCOMPARE(m_dialogos.etiquetas.size(), 1);
        QVERIFY(!m_simulador->Recibidos().contains("INIT;3;"));
    }

    void cargaManualCancelada()
    {
        QVERIFY(Preparar(Opciones()));
        Preferencias().TipoCarga = 1;
        m_dialogos.cancelarBlister = 2;
        QCOMPARE(m_sesion->Iniciar(), TResultadoInicio::Manual);
        QCOMPARE(m_dialogos.blisters.size(), 2);
        QCOMPARE(m_sesion->EstadoUI(), EstadoCargaUI::kCancelado);
        QVERIFY(!m_sesion->CargaEnCurso());
        QCOMPARE(Valor("SELECT COUNT(*) FROM Recarga").toInt(), 0);
    }

private:
    static OpcionesSimulador Opciones() { return MaquinaPrueba::Rapida(); }

    // The patient, the machine, the link and the session opened on the patient.
    bool Preparar(const OpcionesSimulador &opciones, double enalapril = 20)
    {
        Paciente(enalapril);
        if (!MaquinaPrueba::Arrancar(opciones, m_simulador, m_link))
            return false;
        Abrir();
        return true;
    }

    // A new session opened on the patient, as the screen does.
    void Abrir()
    {
        m_sesion = std::make_unique<TSesionCarga>(*m_dm, *m_link, m_dialogos);
        m_sesion->Abrir();
    }

    // The patient with enalapril (one a day), sintrom (one and a half a day: halves and wholes)
    // and a patch that does not go into the blister; 20 pills of each blister medication in stock
    // (`enalapril` of the first).
    void Paciente(double enalapril)
    {
        TDM &dm = *m_dm;
        m_paciente = paciente(dm);
        medicamento(dm, kEnalapril, QStringLiteral("ENALAPRIL"));
        medicamento(dm, kSintrom, QStringLiteral("SINTROM"), QStringLiteral("4 MG"));
        medicamento(dm, kParche, QStringLiteral("PARCHE"), QStringLiteral("5 MG"));
        dm.Ejecutar(QStringLiteral("UPDATE Medicamento SET SPD = 0 WHERE idMedicamento = ?"), {kParche});
        tratamiento(dm, m_paciente, kEnalapril, 0);
        tratamiento(dm, m_paciente, kSintrom, 0, QStringLiteral("1,5-0-0-0:D:D:1"));
        tratamiento(dm, m_paciente, kParche, 0, QStringLiteral("0-0-0-1:D:D:1"));
        stock(dm, m_paciente, kEnalapril, enalapril);
        stock(dm, m_paciente, kSintrom, 20);
    }

    // A refused start: nothing sent, discovery still on, audited as refused.
    void Rechazada()
    {
        QVERIFY(!m_simulador->Recibidos().contains(QByteArray("INIT;3;")));
        QVERIFY(Comandos("START").isEmpty());
        QVERIFY(m_link->BusquedaActiva());
        QCOMPARE(m_sesion->EstadoUI(), EstadoCargaUI::kSinComenzar);
        QCOMPARE(Auditorias("CREACION CARGAS"), QStringList {"RECHAZADO"});
    }

    // The second field of every command of the kind the machine received.
    QStringList Comandos(const QByteArray &palabra) const { return CampoDeComando(palabra, 1); }

    // One field of every command of the kind the machine received.
    QStringList CampoDeComando(const QByteArray &palabra, int campo) const
    {
        QStringList campos;
        for (const QByteArray &mensaje : m_simulador->Recibidos()) {
            if (mensaje.startsWith(palabra + ';'))
                campos << QString::fromUtf8(mensaje.split(';').value(campo));
        }
        return campos;
    }

    QStringList Auditorias(const QString &accion)
    {
        QStringList resultados;
        TConsulta query = m_dm->Consulta(
                QStringLiteral("SELECT Resultado FROM LOPD_Auditoria WHERE Accion = ? ORDER BY IdAudit"),
                {accion});
        while (query.next())
            resultados << query.value(0).toString();
        return resultados;
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
    std::unique_ptr<TSesionCarga> m_sesion;
    int m_paciente = 0;
};

PASTILLERO_DATA_TEST_MAIN(TestCargaPaciente)
#include "test_carga_paciente.moc"
