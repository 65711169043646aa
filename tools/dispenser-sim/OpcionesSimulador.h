#pragma once

#include "core/dispenser/DispenserRecords.h"

#include <QHostAddress>
#include <QString>
#include <QStringList>

#include <optional>

// How the simulated machine behaves: its identity and readings, and the faults it plays.
// A medication number N counts the "CHARGE" messages of a load from 1.
struct OpcionesSimulador
{
    // Where the discovery datagram is awaited.
    QHostAddress escucha = QHostAddress(QHostAddress::LocalHost);
    quint16 puertoBusqueda = 45454;

    // Identity and readings.
    QString versionSoftware = QStringLiteral("2.1"); // the "Ver_uPC" information field
    QString versionRespuesta = QStringLiteral("SIM 2.1"); // text of "answerversion"
    TInfoMaquina info;
    TRedMaquina red;
    TConfigMaquina config;
    qint32 humedad = 40;
    qint32 temperatura = 22;
    quint8 estadoReposo = 0; // 1: the machine refuses loads ("not waiting")

    // The machine's FTP service, through which software packages reach its "/tmp".
    static constexpr int kPuertoFtpLibre = -1; // a free port, the one listened is reported
    int puertoFtp = 0; // 0: no FTP service
    QString directorioFtp; // its root; empty: a temporary folder of its own
    QString scriptFtp; // the server program (servidor_ftp.py beside the simulator's source)
    // Software update ("UPDATESYSTEM"): how long the installation keeps the machine busy.
    int retrasoActualizacionMs = 2000;

    // Pace of a load.
    int intervaloMs = 200; // between two progress messages
    int pasosPorMedicamento = 2; // progress messages per medication

    // Faults.
    int retrasoRespuestaMs = 0; // slow answers to requests
    bool sinRespuesta = false; // requests are never answered
    int trocear = 0; // every message written in pieces of this many bytes
    bool juntar = false; // messages written several in one segment
    bool malformar = false; // a garbled message before every message
    bool cierreDuplicado = false; // "close" sent twice
    bool sinCierre = false; // "close" never sent
    bool cierreTrasCancelar = false; // a late "close" follows a cancelled load
    int cancelarEn = 0; // the machine cancels (state 4) at this medication
    int insuficienteEn = 0; // not enough units (state 5) at this medication
    int desconectarEn = 0; // the connection drops after this many progress messages
    bool sondaSinTerminador = false; // the probe's answer lacks its "|"
    // After "CLOSE" the machine is not waiting (state 1) this long before it rests again; below
    // 0 it never rests again, so it refuses every further load.
    int reposoTrasCierreMs = 0;
    bool anunciarReposo = false; // "answerstatus" sent unasked when it rests again after a load
    int desconectarTrasCierre = 0; // the connection drops on the Nth "CLOSE" (once)
    bool cierreAnteriorTrasInit = false; // the previous load's "close" again right after an "INIT"
    bool ftpRechazar = false; // the FTP service refuses every upload
    int ftpCortar = 0; // the FTP service cuts an upload after this many bytes (0: never)
    int ftpLento = 0; // the FTP service takes at most this many bytes a second (0: no limit)
    bool ocupadoActualizando = false; // after "UPDATESYSTEM" busy (state 2) for good, no reboot
    bool desaparecerActualizando = false; // on "UPDATESYSTEM" the machine is gone for good
    bool sinCambioVersion = false; // the reboot after an update keeps the old version

    bool soloAyuda = false; // the command line asked for the help text

    OpcionesSimulador();

    // Reads the command line; the error text when it cannot be read (the help text, with
    // soloAyuda set, when it was asked for).
    static std::optional<QString> Leer(const QStringList &argumentos, OpcionesSimulador &opciones);
};
