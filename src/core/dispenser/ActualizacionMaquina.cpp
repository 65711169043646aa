#include "core/dispenser/ActualizacionMaquina.h"

#include "core/dispenser/ProtocoloDispensador.h"
#include "core/dispenser/SubidaFtp.h"
#include "core/dispenser/UDispenserTCP.h"
#include "core/i18n/ULenguaje.h"
#include "core/shell/IniFile.h"
#include "core/shell/MachinePackages.h"
#include "core/shell/uLog.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

namespace ActualizacionMaquina {

QString ClaveMaquina(double versionMaquina)
{
    return versionMaquina >= kVersionClaveNueva ? kClaveNueva : kClaveAntigua;
}

std::optional<int> BuildMaquina(const QString &versionTexto)
{
    const qsizetype primero = versionTexto.indexOf(QLatin1Char('.'));
    const qsizetype segundo = primero < 0 ? -1 : versionTexto.indexOf(QLatin1Char('.'), primero + 1);
    if (segundo < 0)
        return std::nullopt;
    qsizetype fin = segundo + 1;
    while (fin < versionTexto.size() && versionTexto.at(fin).isDigit())
        ++fin;
    bool ok = false;
    const int build = versionTexto.mid(segundo + 1, fin - segundo - 1).toInt(&ok);
    return ok ? std::optional<int>(build) : std::nullopt;
}

TDecision Decidir(double versionMaquina, int build, int numeroPaquete, bool forzar)
{
    if (versionMaquina < kVersionClaveNueva)
        return TDecision::NoProcede;
    if (forzar || build < numeroPaquete || build >= kBuildDesconocido)
        return TDecision::Instalar;
    return TDecision::YaInstalado;
}

bool NecesitaCambioVersion(double versionMaquina)
{
    // Compared in tenths: the version arrives as a decimal read from text.
    const int decimas = qRound(versionMaquina * 10);
    return decimas >= 10 && decimas <= 13 && qAbs(versionMaquina * 10 - decimas) < 1e-6;
}

QString TextoVersionInstalada(double versionMaquina)
{
    return Traducir(QStringLiteral("MSG_VERSION_MAQUINA_INSTALADA"),
                    QStringLiteral("LA VERSION DE SOFTWARE MAQUINA INSTALADA ES :"))
            + QStringLiteral("  ") + QString::number(versionMaquina, 'f', 1);
}

QString MensajeEnEspera()
{
    return Traducir(QStringLiteral("ERR_MAQUINA_ESPERA"),
                    QStringLiteral("NO SE PUEDE CARGAR PORQUE LA MAQUINA NO ESTA EN ESPERA"));
}

QString PreguntaCambioVersion()
{
    return Traducir(QStringLiteral("MSG_PETICION_CAMBIO_VERSION_MAQUINA"),
                    QStringLiteral("SE REQUIERE CAMBIO DE VERSION SOFTWARE DE MAQUINA."))
            + QStringLiteral("\n\r")
            + Traducir(QStringLiteral("QST_QUIERE_CONTINUAR"), QStringLiteral("¿QUIERE CONTINUAR?"));
}

QString MensajePaqueteVacio(const QString &nombreArchivo)
{
    return Traducir(QStringLiteral("ERR_ACT_MAQUINA_FILESIZE_CERO"),
                    QStringLiteral("ACTUALIZACION IMPOSIBLE, PROBLEMAS DESCARGA DE FICHERO "))
            + QLatin1Char(' ') + nombreArchivo;
}

QString MensajeMaquinaDesconectada()
{
    return Traducir(QStringLiteral("ERR_MAQUINA_DESCONECTADA"),
                    QStringLiteral("NO SE PUEDE CARGAR PORQUE LA MAQUINA NO ESTA CONECTADA"));
}

QString MensajeVersionNoCambia()
{
    return Traducir(
            QStringLiteral("ERR_VERSION_MAQUINA_NO_CAMBIA"),
            QStringLiteral(
                    "LA MAQUINA NO HA INFORMADO LA NUEVA VERSION; LA ACTUALIZACION NO SE HA COMPLETADO"));
}

} // namespace ActualizacionMaquina

using namespace ActualizacionMaquina;

namespace {

QString MensajeEnCurso()
{
    return Traducir(QStringLiteral("MSG_SOFTWARE_MAQUINA_EN_CURSO"),
                    QStringLiteral("ACTUALIZACION MAQUINA EN CURSO"))
            + QStringLiteral("\n\r")
            + Traducir(QStringLiteral("MSG_ESPERAR_ACABAR_ACTUALIZACION"),
                       QStringLiteral("ESPERAR ACABAR ACTUALIZACION"));
}

double VersionDe(const std::optional<TInfoMaquina> &info)
{
    return info ? ProtocoloDispensador::NumeroVersion(info->Ver_uPC) : 0;
}

int BuildDe(const std::optional<QString> &version)
{
    if (!version)
        return kBuildDesconocido;
    return BuildMaquina(*version).value_or(kBuildDesconocido);
}

} // namespace

TActualizacionMaquina::TActualizacionMaquina(TDispenserTCP &enlace, IniFile &ini,
                                             TAvisosActualizacion &avisos)
    : m_enlace(enlace)
    , m_ini(ini)
    , m_avisos(avisos)
{ }

bool TActualizacionMaquina::ActualizarSistema(const QString &paquete, const QString &clave)
{
    const QString nombre = QFileInfo(paquete).fileName();
    const QString direccion = m_enlace.DireccionMaquina();
    if (direccion.isEmpty()) {
        Log(QStringLiteral(": ERROR:Actualizacion maquina sin maquina conectada: ") + nombre);
        m_avisos.Error(MensajeMaquinaDesconectada());
        return false;
    }
    TDestinoFtp destino;
    destino.servidor = direccion;
    destino.puerto = m_enlace.Configuracion().puertoFtp;
    destino.usuario = QStringLiteral("root");
    destino.clave = clave;
    Log(QStringLiteral(": ACTUALIZACION MAQUINA: copiando ") + nombre + QStringLiteral(" a ") + direccion);
    m_avisos.Informar(Traducir(QStringLiteral("MSG_COPIANDO_PAQUETE_MAQUINA"),
                               QStringLiteral("COPIANDO EL PAQUETE A LA MAQUINA:"))
                      + QLatin1Char(' ') + nombre);
    const TResultadoSubida subida = SubirArchivoFtp(destino, paquete, [this](qint64 enviados, qint64 total) {
        return m_avisos.Progreso(enviados, total);
    });
    if (!subida.completa) {
        // The machine would install whatever half of the file arrived: it is not told to.
        Log(QStringLiteral(": ERROR:Copia incompleta de ") + nombre + QStringLiteral(" (")
            + QString::number(subida.enviados) + QLatin1Char('/') + QString::number(subida.tamano)
            + QStringLiteral("): ") + subida.error);
        if (!subida.cancelada)
            m_avisos.Error(Traducir(QStringLiteral("ERR_COPIA_PAQUETE_MAQUINA"),
                                    QStringLiteral("NO SE HA PODIDO COPIAR EL PAQUETE A LA MAQUINA"))
                           + QStringLiteral("\n\r") + subida.error);
        return false;
    }
    m_enlace.Enviar(ProtocoloDispensador::ComandoActualizarSistema());
    return true;
}

TActualizacionMaquina::TResultado
TActualizacionMaquina::ActualizarSoftwareMaquina(const QString &paquete, const QString &clave, bool forzar)
{
    const QString nombre = QFileInfo(paquete).fileName();
    const double version = VersionDe(m_enlace.PedirInfo());
    if (version < kVersionClaveNueva) {
        Log(QStringLiteral(": ACTUALIZACION MAQUINA: ") + nombre
            + QStringLiteral(" espera; ninguna maquina 2.0 o posterior responde"));
        return TResultado::NoProcede;
    }
    const std::optional<int> numero = MachinePackages::number(nombre);
    if (!numero) {
        Log(QStringLiteral(": ERROR:Paquete de maquina con nombre no valido: ") + nombre);
        m_avisos.Error(MensajePaqueteVacio(nombre));
        return TResultado::Fallida;
    }
    const int build = BuildDe(m_enlace.PedirVersion());
    // Decided before asking: a package the machine already has is not worth a question.
    if (Decidir(version, build, *numero, forzar) == TDecision::YaInstalado) {
        Log(QStringLiteral(": ACTUALIZACION MAQUINA: ") + nombre + QStringLiteral(" ya instalado (build ")
            + QString::number(build) + QLatin1Char(')'));
        QFile::remove(paquete);
        return TResultado::YaInstalada;
    }
    if (!m_avisos.Confirmar(PreguntaCambioVersion()))
        return TResultado::Cancelada;
    if (!EsperarMaquinaLibre(version))
        return TResultado::Aplazada;
    return Instalar(paquete, clave, build, *numero) ? TResultado::Instalada : TResultado::Fallida;
}

bool TActualizacionMaquina::Instalar(const QString &paquete, const QString &clave, int build, int numero)
{
    const QString nombre = QFileInfo(paquete).fileName();
    if (QFileInfo(paquete).size() == 0 || !MachinePackages::looksLikeGzip(paquete)) {
        // A failed download (empty, or an error page): it can never become a package.
        Log(QStringLiteral(": ERROR:Paquete de maquina vacio o no valido: ") + nombre);
        m_avisos.Error(MensajePaqueteVacio(nombre));
        QFile::remove(paquete);
        return false;
    }
    if (!ActualizarSistema(paquete, clave))
        return false;
    if (build < kPrimerBuildQueInforma || build >= kBuildDesconocido) {
        // This machine cannot tell its new build: the order is all that can be checked.
        m_avisos.Informar(MensajeEnCurso());
    } else if (!EsperarBuild(numero)) {
        return false;
    }
    QFile::remove(paquete);
    Registrar(numero);
    return true;
}

bool TActualizacionMaquina::EsperarBuild(int numero)
{
    QElapsedTimer espera;
    espera.start();
    int build = 0;
    do {
        m_avisos.Informar(MensajeEnCurso());
        if (!m_avisos.Esperar(1000)) {
            Log(QStringLiteral(": ACTUALIZACION MAQUINA: espera de la nueva version cancelada"));
            return false;
        }
        if (const std::optional<QString> version = m_enlace.PedirVersion())
            build = BuildMaquina(*version).value_or(0);
    } while (build < numero && espera.elapsed() < m_esperaVersionMs);
    if (build >= numero)
        return true;
    Log(QStringLiteral(": ERROR:La maquina no informa el build ") + QString::number(numero));
    m_avisos.Error(MensajeVersionNoCambia());
    return false;
}

bool TActualizacionMaquina::EsperarMaquinaLibre(double versionMaquina)
{
    while (EstadoActual(versionMaquina) != 0) {
        const std::optional<TInfoMaquina> info = m_enlace.PedirInfo();
        if (!info || info->Ver_PIC.isEmpty())
            return true; // a machine that no longer answers fails at the copy
        const QString pregunta
                = MensajeEnEspera() + QStringLiteral("\n\r")
                + Traducir(
                          QStringLiteral("QST_REINTENTAR_ACTUALIZACION_MAQUINA"),
                          QStringLiteral(
                                  "¿VOLVER A INTENTARLO? (CANCELAR: LA ACTUALIZACION QUEDA PARA MAS TARDE)"));
        if (!m_avisos.Confirmar(pregunta)) {
            Log(QStringLiteral(": ACTUALIZACION MAQUINA: aplazada, la maquina no esta en espera"));
            return false;
        }
        if (!m_avisos.Esperar(1000))
            return false;
    }
    return true;
}

quint8 TActualizacionMaquina::EstadoActual(double versionMaquina)
{
    if (versionMaquina >= kVersionPideEstado) {
        if (const std::optional<quint8> estado = m_enlace.PedirEstado())
            return *estado;
    }
    return m_enlace.EstadoMaquina;
}

void TActualizacionMaquina::Registrar(int numero)
{
    Log(QStringLiteral(": ACTUALIZACION MAQUINA: instalado el paquete ") + QString::number(numero));
    if (!m_ini.writeString(QStringLiteral("VERSION"), QStringLiteral("MAQ"), QString::number(numero)))
        Log(QStringLiteral(": ERROR:No se pudo guardar la version de maquina en ") + m_ini.path());
}
