#include "OpcionesSimulador.h"

#include <QCommandLineParser>

namespace {

struct OpcionEntera
{
    QString nombre;
    QString ayuda;
    int *destino;
};

struct OpcionBooleana
{
    QString nombre;
    QString ayuda;
    bool *destino;
};

} // namespace

OpcionesSimulador::OpcionesSimulador()
{
    scriptFtp = QStringLiteral(PASTILLERO_SERVIDOR_FTP);
    info.IdMaq = QStringLiteral("SIM-0001");
    info.IdDIGI = QStringLiteral("1.0");
    info.Contador = QStringLiteral("0");
    info.Ver_PIC = QStringLiteral("1.7");
    info.Ver_uPC = versionSoftware;
    info.Ver_UBoot = QStringLiteral("2016.03");
    info.Ver_Kernel = QStringLiteral("4.1.15");
    info.Ver_RootFS = QStringLiteral("1.2");
    info.ADCSensor = QStringLiteral("512");
    info.ADCSensi = QStringLiteral("3");
    red = {QStringLiteral("127.0.0.1"), QStringLiteral("0"), QStringLiteral("127.0.0.1"),
           QStringLiteral("255.0.0.0"), QStringLiteral("127.0.0.1")};
}

std::optional<QString> OpcionesSimulador::Leer(const QStringList &argumentos, OpcionesSimulador &opciones)
{
    int humedad = opciones.humedad;
    int temperatura = opciones.temperatura;
    int estadoReposo = opciones.estadoReposo;
    int puertoBusqueda = opciones.puertoBusqueda;
    const QList<OpcionEntera> enteras {
            {QStringLiteral("puerto-busqueda"), QStringLiteral("UDP port of the discovery datagram"),
             &puertoBusqueda},
            {QStringLiteral("humedad"), QStringLiteral("humidity reading"), &humedad},
            {QStringLiteral("temperatura"), QStringLiteral("temperature reading"), &temperatura},
            {QStringLiteral("estado-reposo"), QStringLiteral("state reported while idle (1 refuses loads)"),
             &estadoReposo},
            {QStringLiteral("intervalo-ms"), QStringLiteral("milliseconds between progress messages"),
             &opciones.intervaloMs},
            {QStringLiteral("pasos"), QStringLiteral("progress messages per medication"),
             &opciones.pasosPorMedicamento},
            {QStringLiteral("retraso-ms"), QStringLiteral("delay before answering a request"),
             &opciones.retrasoRespuestaMs},
            {QStringLiteral("trocear"), QStringLiteral("write every message in pieces of N bytes"),
             &opciones.trocear},
            {QStringLiteral("cancelar-en"), QStringLiteral("cancel the load (state 4) at medication N"),
             &opciones.cancelarEn},
            {QStringLiteral("insuficiente-en"),
             QStringLiteral("report insufficient units (state 5) at medication N"), &opciones.insuficienteEn},
            {QStringLiteral("desconectar-en"),
             QStringLiteral("drop the connection after N progress messages"), &opciones.desconectarEn},
            {QStringLiteral("reposo-tras-cierre-ms"),
             QStringLiteral("milliseconds not waiting after \"CLOSE\" (below 0: never waiting again)"),
             &opciones.reposoTrasCierreMs},
            {QStringLiteral("desconectar-tras-cierre"),
             QStringLiteral("drop the connection on the Nth \"CLOSE\""), &opciones.desconectarTrasCierre},
            {QStringLiteral("puerto-ftp"),
             QStringLiteral("port of the machine's FTP service (0: none, -1: a free port)"),
             &opciones.puertoFtp},
            {QStringLiteral("retraso-actualizacion"),
             QStringLiteral("milliseconds busy installing a software package"),
             &opciones.retrasoActualizacionMs},
            {QStringLiteral("ftp-cortar"), QStringLiteral("the FTP service cuts an upload after N bytes"),
             &opciones.ftpCortar},
            {QStringLiteral("ftp-lento"), QStringLiteral("the FTP service takes at most N bytes a second"),
             &opciones.ftpLento},
    };
    const QList<OpcionBooleana> booleanas {
            {QStringLiteral("sin-respuesta"), QStringLiteral("never answer requests"),
             &opciones.sinRespuesta},
            {QStringLiteral("juntar"), QStringLiteral("write several messages in one segment"),
             &opciones.juntar},
            {QStringLiteral("malformar"), QStringLiteral("send a garbled message before every message"),
             &opciones.malformar},
            {QStringLiteral("cierre-duplicado"), QStringLiteral("send \"close\" twice"),
             &opciones.cierreDuplicado},
            {QStringLiteral("sin-cierre"), QStringLiteral("never send \"close\""), &opciones.sinCierre},
            {QStringLiteral("cierre-tras-cancelar"),
             QStringLiteral("send \"close\" late, after a load was cancelled"), &opciones.cierreTrasCancelar},
            {QStringLiteral("sonda-sin-terminador"),
             QStringLiteral("answer the connection probe without \"|\""), &opciones.sondaSinTerminador},
            {QStringLiteral("anunciar-reposo"),
             QStringLiteral("send \"answerstatus\" unasked when waiting again after a load"),
             &opciones.anunciarReposo},
            {QStringLiteral("cierre-anterior-tras-init"),
             QStringLiteral("send the previous load's \"close\" again right after \"INIT\""),
             &opciones.cierreAnteriorTrasInit},
            {QStringLiteral("ftp-rechazar"), QStringLiteral("the FTP service refuses every upload"),
             &opciones.ftpRechazar},
            {QStringLiteral("ocupado-actualizando"),
             QStringLiteral("after \"UPDATESYSTEM\" stay busy (state 2) and never reboot"),
             &opciones.ocupadoActualizando},
            {QStringLiteral("desaparecer-actualizando"),
             QStringLiteral("on \"UPDATESYSTEM\" drop the connection and never come back"),
             &opciones.desaparecerActualizando},
            {QStringLiteral("sin-cambio-version"),
             QStringLiteral("report the old version after the reboot of an update"),
             &opciones.sinCambioVersion},
    };

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulated blister-filling machine (loopback only)"));
    parser.addHelpOption();
    const QCommandLineOption escucha(QStringLiteral("escucha"), QStringLiteral("address awaiting discovery"),
                                     QStringLiteral("ip"), opciones.escucha.toString());
    const QCommandLineOption version(QStringLiteral("version-software"),
                                     QStringLiteral("machine software version (Ver_uPC)"),
                                     QStringLiteral("v"), opciones.versionSoftware);
    const QCommandLineOption respuesta(
            QStringLiteral("version-respuesta"),
            QStringLiteral("text of \"answerversion\" (default: SIM and the version)"),
            QStringLiteral("texto"));
    const QCommandLineOption directorioFtp(
            QStringLiteral("directorio-ftp"),
            QStringLiteral("root of the FTP service (default: a temporary folder)"),
            QStringLiteral("carpeta"));
    const QCommandLineOption scriptFtp(QStringLiteral("script-ftp"), QStringLiteral("the FTP server program"),
                                       QStringLiteral("archivo"), opciones.scriptFtp);
    const QCommandLineOption verPic(QStringLiteral("ver-pic"), QStringLiteral("Ver_PIC field (may be empty)"),
                                    QStringLiteral("texto"), opciones.info.Ver_PIC);
    const QCommandLineOption id(QStringLiteral("id"), QStringLiteral("serial number"),
                                QStringLiteral("texto"), opciones.info.IdMaq);
    parser.addOptions({escucha, version, respuesta, directorioFtp, scriptFtp, verPic, id});
    for (const OpcionEntera &opcion : enteras)
        parser.addOption(QCommandLineOption(opcion.nombre, opcion.ayuda, QStringLiteral("n"),
                                            QString::number(*opcion.destino)));
    for (const OpcionBooleana &opcion : booleanas)
        parser.addOption(QCommandLineOption(opcion.nombre, opcion.ayuda));
    if (!parser.parse(argumentos))
        return parser.errorText();
    if (parser.isSet(QStringLiteral("help"))) {
        opciones.soloAyuda = true;
        return parser.helpText();
    }

    for (const OpcionEntera &opcion : enteras) {
        bool ok = false;
        *opcion.destino = parser.value(opcion.nombre).toInt(&ok);
        if (!ok)
            return QStringLiteral("--%1 needs a number").arg(opcion.nombre);
    }
    for (const OpcionBooleana &opcion : booleanas)
        *opcion.destino = parser.isSet(opcion.nombre);

    opciones.escucha = QHostAddress(parser.value(escucha));
    if (!opciones.escucha.isLoopback())
        return QStringLiteral("--escucha must be a loopback address");
    if (puertoBusqueda < 0 || puertoBusqueda > 65535 || estadoReposo < 0 || estadoReposo > 255
        || opciones.puertoFtp < kPuertoFtpLibre || opciones.puertoFtp > 65535)
        return QStringLiteral("port or state out of range");
    opciones.puertoBusqueda = static_cast<quint16>(puertoBusqueda);
    opciones.estadoReposo = static_cast<quint8>(estadoReposo);
    opciones.humedad = humedad;
    opciones.temperatura = temperatura;
    opciones.versionSoftware = parser.value(version);
    opciones.info.Ver_uPC = opciones.versionSoftware;
    opciones.versionRespuesta = parser.isSet(respuesta) ? parser.value(respuesta)
                                                        : QStringLiteral("SIM ") + opciones.versionSoftware;
    opciones.directorioFtp = parser.value(directorioFtp);
    opciones.scriptFtp = parser.value(scriptFtp);
    opciones.info.Ver_PIC = parser.value(verPic);
    opciones.info.IdMaq = parser.value(id);
    return std::nullopt;
}
