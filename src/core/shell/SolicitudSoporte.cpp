#include "core/shell/SolicitudSoporte.h"

#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "core/shell/AppDirectory.h"
#include "core/shell/IniFile.h"

#include <QFileInfo>

namespace {

// The supplier's support addresses until the installation sets its own: the general one and one
// per country index 1 to 5 (Portugal, France, United Kingdom, Italy, Slovenia).
const QString kDireccionGeneral = QStringLiteral("soporte@pastillero.example");
const QStringList kDireccionesPorPais {
        QStringLiteral("suporte.pt@pastillero.example"), QStringLiteral("support.fr@pastillero.example"),
        QStringLiteral("support.uk@pastillero.example"), QStringLiteral("assistenza.it@pastillero.example"),
        QStringLiteral("podpora.si@pastillero.example")};

const QString kSeccionSoporte = QStringLiteral("SOPORTE");

// The line end of the message body as the mail hand-over has always received it: LF, then CR.
const QString kFinLinea = QStringLiteral("\n\r");

QString CuerpoSoporte(const TPreferenciasValores &preferencias)
{
    return Traducir(QStringLiteral("CAPTION_SAT_DATOS_FARMACIA"), QStringLiteral("DATOS DE LA FARMACIA "))
            + kFinLinea + kFinLinea
            + Traducir(QStringLiteral("CAPTION_SAT_nOMBRE_FARMACIA"), QStringLiteral("Nombre Farmacia : "))
            + QLatin1Char(' ') + preferencias.ofNombre + kFinLinea
            + Traducir(QStringLiteral("CAPTION_SAT_TELEFONO_FARMACIA"), QStringLiteral("Telefono :"))
            + QLatin1Char(' ') + preferencias.ofTelefono + kFinLinea;
}

} // namespace

QString DireccionSoporte(const IniFile &ini, const QString &pais)
{
    bool esNumero = false;
    const int indice = pais.toInt(&esNumero);
    const bool conPais = esNumero && indice >= 1 && indice <= kDireccionesPorPais.size();
    const QString clave
            = conPais ? QStringLiteral("EMAIL") + QString::number(indice) : QStringLiteral("EMAIL");
    // An address left empty in the file counts as not set.
    const QString propia = ini.readString(kSeccionSoporte, clave).trimmed();
    if (!propia.isEmpty())
        return propia;
    return conPais ? kDireccionesPorPais.at(indice - 1) : kDireccionGeneral;
}

TMensajeCorreo MensajeSoporte(const TPreferenciasValores &preferencias, const IniFile &ini,
                              const QString &ficheroLog)
{
    TMensajeCorreo mensaje;
    mensaje.para = DireccionSoporte(ini, preferencias.Pais);
    mensaje.asunto = Traducir(QStringLiteral("CAPTION_SAT_SOPORTE"), QStringLiteral("Soporte SAT"));
    mensaje.cuerpo = CuerpoSoporte(preferencias);
    if (QFileInfo(ficheroLog).isFile())
        mensaje.adjuntos.append(ficheroLog);
    return mensaje;
}

int SolicitudSoporte()
{
    const AppDirectory &directorio = AppDirectory::current();
    return EnviarCorreo(MensajeSoporte(Preferencias(), IniFile(directorio.iniFile()), directorio.logFile()));
}
