#include "ui/dispenser/ActualizacionSoftware.h"

#include "core/dispenser/ActualizacionMaquina.h"
#include "core/dispenser/CambioVersionMaquina.h"
#include "core/dispenser/UDispenserTCP.h"
#include "core/i18n/ULenguaje.h"
#include "core/shell/AppDirectory.h"
#include "core/shell/IniFile.h"
#include "core/shell/ServidorActualizaciones.h"
#include "ui/dispenser/DlgActualizacionMaquina.h"
#include "ui/dispenser/FCambioVersionMaquina.h"
#include "ui/shell/FMain.h"
#include "ui/shell/Mensajes.h"

#include <QFileDialog>

using namespace ActualizacionMaquina;

namespace {

IniFile IniAplicacion()
{
    return IniFile(AppDirectory::current().iniFile());
}

TServidorActualizaciones Servidor(const IniFile &ini)
{
    return TServidorActualizaciones(ServidoresActualizacion::Leer(ini),
                                    ExisteFormInicio() && FormInicio().CanalBeta(),
                                    AppDirectory::current().updateDir());
}

QString MensajeSinServidor()
{
    return Traducir(QStringLiteral("ERR_CONEXION_IMPOSIBLE"),
                    QStringLiteral("NO HAY CONEXION CON EL SERVIDOR DE ACTUALIZACIONES"));
}

// A file of the update server, its progress in the update's window. Failures are told here.
std::optional<QString>
DescargarConAvisos(TServidorActualizaciones &servidor, TDlgActualizacionMaquina &dialogo,
                   const std::function<std::optional<QString>(const ProgresoDescarga &)> &descarga)
{
    const ProgresoDescarga progreso
            = [&dialogo](qint64 recibidos, qint64 total) { return dialogo.Progreso(recibidos, total); };
    if (!servidor.ComprobarServidor(progreso)) {
        if (!dialogo.Cancelada())
            dialogo.Error(MensajeSinServidor());
        return std::nullopt;
    }
    std::optional<QString> archivo = descarga(progreso);
    if (!archivo && !dialogo.Cancelada())
        dialogo.Error(Traducir(QStringLiteral("ERR_DESCARGA_PAQUETE_MAQUINA"),
                               QStringLiteral("NO SE HA PODIDO DESCARGAR EL PAQUETE DE LA MAQUINA")));
    return archivo;
}

// `alDia`: also say so when the machine already had the package (the user asked for it).
void InformarResultado(TActualizacionMaquina::TResultado resultado, const QString &paquete, bool alDia)
{
    if (resultado == TActualizacionMaquina::TResultado::Instalada)
        MostrarAviso(Traducir(QStringLiteral("MSG_SOFTWARE_MAQUINA_ACTUALIZADO"),
                              QStringLiteral("SOFTWARE DE LA MAQUINA ACTUALIZADO:"))
                     + QLatin1Char(' ') + paquete);
    else if (alDia && resultado == TActualizacionMaquina::TResultado::YaInstalada)
        MostrarAviso(Traducir(QStringLiteral("MSG_SOFTWARE_MAQUINA_AL_DIA"),
                              QStringLiteral("LA MAQUINA YA TIENE ESTA VERSION DE SOFTWARE")));
}

} // namespace

void ActualizarFirmwareMaquina(QWidget *parent, bool paqueteElegido)
{
    TDispenserTCP *enlace = DispenserSiExiste();
    const std::optional<TInfoMaquina> info = enlace ? enlace->PedirInfo() : std::nullopt;
    if (!info) {
        // Nothing is downloaded or copied for a machine that is not there.
        MostrarError(MensajeMaquinaDesconectada());
        return;
    }
    const double version = ProtocoloDispensador::NumeroVersion(info->Ver_uPC);
    IniFile ini = IniAplicacion();
    TDlgActualizacionMaquina dialogo(parent);
    TActualizacionMaquina actualizacion(*enlace, ini, dialogo);
    if (actualizacion.EstadoActual(version) != 0 && !info->Ver_PIC.isEmpty()) {
        MostrarError(MensajeEnEspera());
        return;
    }
    const QString clave = ClaveMaquina(version);
    if (paqueteElegido) {
        const QString paquete
                = QFileDialog::getOpenFileName(parent,
                                               Traducir(QStringLiteral("CAPTION_ACTUALIZAR_FIRMWARE"),
                                                        QStringLiteral("ACTUALIZAR FIRMWARE")),
                                               AppDirectory::current().updateDir());
        if (paquete.isEmpty())
            return;
        const bool copiado = actualizacion.ActualizarSistema(paquete, clave);
        dialogo.hide();
        if (copiado)
            MostrarAviso(Traducir(QStringLiteral("MSG_SOFTWARE_MAQUINA_EN_CURSO"),
                                  QStringLiteral("ACTUALIZACION MAQUINA EN CURSO")));
        return;
    }
    if (!dialogo.Confirmar(
                Traducir(QStringLiteral("MSG_PETICION_CAMBIO_VERSION_FIRMWARE_MAQUINA"),
                         QStringLiteral("HA SOLICITADO UNA ACTUALIZACION DEL FIRMWARE DE LA MAQUINA"))
                + QStringLiteral("\n\r")
                + Traducir(QStringLiteral("QST_QUIERE_CONTINUAR"), QStringLiteral("¿QUIERE CONTINUAR?"))))
        return;
    dialogo.Informar(Traducir(QStringLiteral("MSG_DESCARGANDO_PAQUETE_MAQUINA"),
                              QStringLiteral("DESCARGANDO EL SOFTWARE DE LA MAQUINA")));
    TServidorActualizaciones servidor = Servidor(ini);
    const std::optional<QString> paquete
            = DescargarConAvisos(servidor, dialogo, [&servidor](const ProgresoDescarga &p) {
                  return servidor.DescargarPaqueteMaquina(p);
              });
    if (!paquete)
        return;
    const auto resultado = actualizacion.ActualizarSoftwareMaquina(*paquete, clave, true);
    dialogo.hide();
    InformarResultado(resultado, QFileInfo(*paquete).fileName(), true);
}

void ComprobarVersionMaquina(QWidget *parent)
{
    TDispenserTCP *enlace = DispenserSiExiste();
    const std::optional<TInfoMaquina> info = enlace ? enlace->PedirInfo() : std::nullopt;
    const double version = info ? ProtocoloDispensador::NumeroVersion(info->Ver_uPC) : 0;
    if (!NecesitaCambioVersion(version) || Confirmar(PreguntaCambioVersion()) != 1)
        return;
    IniFile ini = IniAplicacion();
    TFormCambioVersionMaquina guia(
            TextoVersionInstalada(version),
            [&] {
                TDlgActualizacionMaquina dialogo(parent);
                TActualizacionMaquina actualizacion(*enlace, ini, dialogo);
                TServidorActualizaciones servidor = Servidor(ini);
                TCambioVersionMaquina cambio(*enlace, actualizacion, dialogo, [&](const QString &nombre) {
                    return DescargarConAvisos(servidor, dialogo, [&](const ProgresoDescarga &p) {
                        return servidor.DescargarArchivo(nombre, p);
                    });
                });
                return cambio.Ejecutar(TCambioVersionMaquina::Clave(ini));
            },
            parent);
    guia.exec();
}

bool InstalarPaqueteAlIniciar(const QString &paquete, QWidget *parent)
{
    TDispenserTCP *enlace = DispenserSiExiste();
    if (!enlace)
        return true;
    IniFile ini = IniAplicacion();
    TDlgActualizacionMaquina dialogo(parent);
    TActualizacionMaquina actualizacion(*enlace, ini, dialogo);
    const auto resultado = actualizacion.ActualizarSoftwareMaquina(paquete, kClaveNueva, false);
    dialogo.hide();
    InformarResultado(resultado, QFileInfo(paquete).fileName(), false);
    return resultado != TActualizacionMaquina::TResultado::Aplazada
            && resultado != TActualizacionMaquina::TResultado::Cancelada;
}
