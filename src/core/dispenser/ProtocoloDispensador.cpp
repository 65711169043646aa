#include "core/dispenser/ProtocoloDispensador.h"

#include "core/common/TextEncoding.h"

#include <QRegularExpression>
#include <QStringList>

#include <optional>

namespace ProtocoloDispensador {

namespace {

// Word, ";", every field followed by ";", then the terminator.
QString Construir(const QString &palabra, const QStringList &campos = {})
{
    QString mensaje = palabra + QLatin1Char(kSeparador);
    for (const QString &campo : campos)
        mensaje += campo + QLatin1Char(kSeparador);
    return mensaje + QLatin1Char(kTerminador);
}

// Reads the fields of one message in order; a field that is missing reads as empty text.
class LectorCampos
{
public:
    explicit LectorCampos(const QString &mensaje)
        : m_campos(mensaje.split(QLatin1Char(kSeparador)))
    { }

    QString texto() { return m_siguiente < m_campos.size() ? m_campos.at(m_siguiente++) : QString(); }

    std::optional<qint32> entero()
    {
        bool ok = false;
        const qint32 valor = texto().toInt(&ok, 10);
        return ok ? std::optional<qint32>(valor) : std::nullopt;
    }

private:
    QStringList m_campos;
    qsizetype m_siguiente = 0;
};

MensajeMalformado Malformado(const QString &palabra, const QString &motivo,
                             std::optional<quint8> estado = std::nullopt)
{
    return {palabra + QStringLiteral(": ") + motivo, estado};
}

MensajeMaquina LeerHT(LectorCampos &campos)
{
    const auto humedad = campos.entero();
    const auto temperatura = campos.entero();
    if (!humedad || !temperatura)
        return Malformado(QStringLiteral("answerht"), QStringLiteral("humedad o temperatura no numerica"));
    return RespuestaHT {*humedad, *temperatura};
}

MensajeMaquina LeerCierre(LectorCampos &campos)
{
    const auto valor = campos.entero();
    if (!valor)
        return Malformado(QStringLiteral("close"), QStringLiteral("valor no numerico"));
    return MensajeCierre {*valor};
}

TRedMaquina LeerRed(LectorCampos &campos)
{
    TRedMaquina red;
    red.IPLocal = campos.texto();
    red.IPCampo2 = campos.texto();
    red.DNS = campos.texto();
    red.Mascara = campos.texto();
    red.Gateway = campos.texto();
    return red;
}

MensajeMaquina LeerConfig(LectorCampos &campos)
{
    const auto idioma = campos.entero();
    const auto sonidos = campos.entero();
    const auto recuperacion = campos.entero();
    const auto carga = campos.entero();
    if (!idioma || !sonidos || !recuperacion || !carga)
        return Malformado(QStringLiteral("answerconfig"),
                          QStringLiteral("valor de configuracion no numerico"));
    return RespuestaConfig {TConfigMaquina {*idioma, *sonidos, *recuperacion, *carga}, LeerRed(campos)};
}

MensajeMaquina LeerInfo(LectorCampos &campos)
{
    TInfoMaquina info;
    for (QString *campo :
         {&info.IdMaq, &info.IdDIGI, &info.Contador, &info.Ver_PIC, &info.Ver_uPC, &info.Ver_UBoot,
          &info.Ver_Kernel, &info.Ver_RootFS, &info.ADCSensor, &info.ADCSensi})
        *campo = campos.texto();
    return RespuestaInfo {info};
}

MensajeMaquina LeerStatus(LectorCampos &campos)
{
    InformeEstado informe;
    const QString campoEstado = campos.texto();
    bool estadoNumerico = false;
    campoEstado.toInt(&estadoNumerico, 10);
    informe.estado = MapearEstado(campoEstado);
    const std::optional<quint8> estado
            = estadoNumerico ? std::optional<quint8>(informe.estado) : std::nullopt;
    informe.nombre = campos.texto();
    informe.marca = campos.texto() == QLatin1String("1");
    informe.campo4 = campos.texto();
    informe.pastillas.reserve(kNumCeldas);
    for (int celda = 0; celda < kNumCeldas; ++celda) {
        const auto unidades = campos.entero();
        if (!unidades)
            return Malformado(QStringLiteral("status"),
                              QStringLiteral("celda %1 ausente o no numerica").arg(celda + 1), estado);
        if (*unidades < 0 || *unidades > kMaximoPorCelda)
            return Malformado(QStringLiteral("status"),
                              QStringLiteral("celda %1 fuera de rango: %2").arg(celda + 1).arg(*unidades),
                              estado);
        informe.pastillas.append(*unidades);
    }
    return informe;
}

} // namespace

QString CampoSeguro(const QString &texto)
{
    QString seguro = texto;
    seguro.replace(QLatin1Char(kSeparador), QLatin1Char(','));
    seguro.replace(QLatin1Char(kTerminador), QLatin1Char('/'));
    seguro.replace(QLatin1Char('\r'), QLatin1Char(' '));
    seguro.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return seguro;
}

QString ComandoInicio(const QString &refPaciente, const QString &nombre, const QString &campo3,
                      const QString &campo4, const QString &fechaInicio, const QString &refCarga)
{
    return Construir(QStringLiteral("START"),
                     {CampoSeguro(refPaciente), CampoSeguro(nombre), CampoSeguro(campo3), CampoSeguro(campo4),
                      CampoSeguro(fechaInicio), CampoSeguro(refCarga)});
}

QList<qint32> SinNegativos(const QList<qint32> &celdas)
{
    QList<qint32> pendientes = celdas;
    for (qint32 &unidades : pendientes)
        unidades = qMax(unidades, 0);
    return pendientes;
}

QString ComandoCarga(const QString &nombre, const QList<qint32> &celdas, const QString &aspecto,
                     qint64 idMedicamento)
{
    if (celdas.size() != kNumCeldas)
        return {};
    QStringList campos {CampoSeguro(nombre)};
    for (const qint32 unidades : celdas)
        campos.append(QString::number(qMax(unidades, 0)));
    campos << CampoSeguro(aspecto) << QString::number(idMedicamento);
    for (int relleno = 0; relleno < 8; ++relleno)
        campos.append(QStringLiteral("0"));
    return Construir(QStringLiteral("CHARGE"), campos);
}

QString ComandoInit(qint32 charges)
{
    return Construir(QStringLiteral("INIT"), {QString::number(charges)});
}

QString ComandoCerrar()
{
    return Construir(QStringLiteral("CLOSE"));
}

QString ComandoCancelar()
{
    return Construir(QStringLiteral("CANCEL"));
}

QString ComandoPedirEstado()
{
    return Construir(QStringLiteral("REQUESTSTATUS"));
}

QString ComandoPedirVersion()
{
    return Construir(QStringLiteral("REQUESTVERSION"));
}

QString ComandoPedirHT()
{
    return Construir(QStringLiteral("REQUESTHT"));
}

QString ComandoPedirIP()
{
    return Construir(QStringLiteral("REQUESTIP"));
}

QString ComandoPedirConfig()
{
    return Construir(QStringLiteral("REQUESTCONFIG"));
}

QString ComandoPedirInfo()
{
    return Construir(QStringLiteral("REQUESTINFO"));
}

QString ComandoConfigurarIP(const TRedMaquina &red)
{
    return Construir(QStringLiteral("CONFIGIP"),
                     {CampoSeguro(red.IPLocal), CampoSeguro(red.IPCampo2), CampoSeguro(red.DNS),
                      CampoSeguro(red.Mascara), CampoSeguro(red.Gateway)});
}

QString ComandoConfigurar(qint32 idioma, qint32 sonidos, qint32 recuperacion, qint32 carga)
{
    return Construir(QStringLiteral("CONFIG"),
                     {QString::number(idioma), QString::number(sonidos), QString::number(recuperacion),
                      QString::number(carga)});
}

QString ComandoFijarIdMaquina(const QString &id)
{
    return Construir(QStringLiteral("SET_ID_MAQUINA"), {CampoSeguro(id)});
}

QString ComandoActualizarSistema()
{
    return Construir(QStringLiteral("UPDATESYSTEM"));
}

QByteArray SondaConexion()
{
    return QByteArrayLiteral("REQUESTHT;");
}

QByteArray Codificar(const QString &mensaje, double versionMaquina)
{
    return versionMaquina >= kVersionUtf8 ? mensaje.toUtf8() : TextEncoding::toWindows1252(mensaje);
}

quint8 MapearEstado(const QString &campo)
{
    bool ok = false;
    const int codigo = campo.toInt(&ok, 10);
    if (!ok)
        return 0;
    switch (codigo) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 9:
        return static_cast<quint8>(codigo);
    default:
        return 0;
    }
}

double NumeroVersion(const QString &version)
{
    static const QRegularExpression numero(QStringLiteral("^\\s*(\\d+(\\.\\d+)?)"));
    const QRegularExpressionMatch encontrado = numero.match(version);
    return encontrado.hasMatch() ? encontrado.captured(1).toDouble() : 0.0;
}

QString Decodificar(const QByteArray &mensaje)
{
    return TextEncoding::decodeUtf8OrWindows1252(mensaje);
}

MensajeMaquina LeerMensaje(const QByteArray &mensaje)
{
    LectorCampos campos(Decodificar(mensaje));
    const QString palabra = campos.texto().toLower();
    if (palabra == QLatin1String("answerht"))
        return LeerHT(campos);
    if (palabra == QLatin1String("answerstatus"))
        return RespuestaEstado {MapearEstado(campos.texto())};
    if (palabra == QLatin1String("answerversion"))
        return RespuestaVersion {campos.texto()};
    if (palabra == QLatin1String("close"))
        return LeerCierre(campos);
    if (palabra == QLatin1String("answerip"))
        return RespuestaIP {LeerRed(campos)};
    if (palabra == QLatin1String("answerconfig"))
        return LeerConfig(campos);
    if (palabra == QLatin1String("answerinfo"))
        return LeerInfo(campos);
    if (palabra == QLatin1String("status"))
        return LeerStatus(campos);
    return PalabraDesconocida {palabra};
}

} // namespace ProtocoloDispensador
