#include "core/settings/EdicionPreferencias.h"

#include "core/i18n/ULenguaje.h"

namespace {

QString formatoIncorrecto()
{
    return Traducir(QStringLiteral("ERR_FECHA_FORMATO"), QStringLiteral("EL FORMATO ES INCORRECTO"));
}

QString limitesInvertidos()
{
    return Traducir(QStringLiteral("ERR_LIMITES_INVERTIDOS"),
                    QStringLiteral("EL MÍNIMO NO PUEDE SER MAYOR QUE EL MÁXIMO"));
}

// The address as the preferences keep it: lines separated by CR LF.
QString direccionGuardada(QString texto)
{
    texto.remove(QLatin1Char('\r'));
    return texto.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

QString direccionMostrada(QString texto)
{
    return texto.remove(QLatin1Char('\r'));
}

QStringList medicosLimpios(const QStringList &medicos)
{
    QStringList limpios;
    for (const QString &medico : medicos) {
        const QString nombre = medico.trimmed().toUpper();
        if (!nombre.isEmpty() && !limpios.contains(nombre))
            limpios << nombre;
    }
    return limpios;
}

// Reads the numeric fields one after the other, remembering the first that fails.
class TLectorNumeros
{
public:
    explicit TLectorNumeros(std::optional<TErrorCampo> &error)
        : m_error(error)
    { }

    void Leer(TCampoNumerico campo, const QString &texto, int &destino, int ajuste = 0)
    {
        if (m_error)
            return;
        bool ok = false;
        const int valor = texto.trimmed().toInt(&ok);
        if (!ok)
            m_error = TErrorCampo {campo, formatoIncorrecto()};
        else
            destino = valor - ajuste;
    }

    void Limites(TCampoNumerico campoMinimo, int minimo, int maximo)
    {
        if (!m_error && minimo > maximo)
            m_error = TErrorCampo {campoMinimo, limitesInvertidos()};
    }

private:
    std::optional<TErrorCampo> &m_error;
};

} // namespace

TCamposPreferencias CamposDe(const TPreferenciasValores &valores, const QStringList &medicos,
                             const TLecturasMaquina &lecturas)
{
    TCamposPreferencias campos;
    if (lecturas.humedad)
        campos.humedad = QString::number(*lecturas.humedad + valores.Varihumedad);
    if (lecturas.temperatura)
        campos.temperatura = QString::number(*lecturas.temperatura + valores.Varitemperatura);
    campos.temperaturaMinima = QString::number(valores.TemperaturaMinima);
    campos.temperaturaMaxima = QString::number(valores.TemperaturaMaxima);
    campos.humedadMinima = QString::number(valores.HumedadMinima);
    campos.humedadMaxima = QString::number(valores.HumedadMaxima);
    campos.ofNombre = valores.ofNombre;
    campos.ofTitular = valores.ofTitular;
    campos.ofTelefono = valores.ofTelefono;
    campos.ofDireccion = direccionMostrada(valores.ofDireccion);
    campos.ofEmail = valores.ofEmail;
    campos.ofWeb = valores.ofWeb;
    campos.ofCP = valores.ofCP;
    campos.ofCF = valores.ofCF;
    campos.idatMedOB = valores.IdatMedOB == 1;
    campos.etiquetasDX = QString::number(valores.EtiquetasDX);
    campos.etiquetasDY = QString::number(valores.EtiquetasDY);
    campos.ip = valores.IP;
    campos.impresora = valores.ETIPRINTER;
    campos.plantilla = valores.PEtiquetas;
    campos.medicos = medicos;
    return campos;
}

TLecturaCampos LeerCampos(const TCamposPreferencias &campos, const TPreferenciasValores &base,
                          const TLecturasMaquina &lecturas)
{
    TLecturaCampos lectura {base, medicosLimpios(campos.medicos), std::nullopt};
    TPreferenciasValores &v = lectura.valores;
    TLectorNumeros numeros(lectura.error);
    // "H" and "T" show the reading corrected; what is stored is the correction.
    if (lecturas.humedad)
        numeros.Leer(TCampoNumerico::Humedad, campos.humedad, v.Varihumedad, *lecturas.humedad);
    if (lecturas.temperatura)
        numeros.Leer(TCampoNumerico::Temperatura, campos.temperatura, v.Varitemperatura,
                     *lecturas.temperatura);
    numeros.Leer(TCampoNumerico::TemperaturaMinima, campos.temperaturaMinima, v.TemperaturaMinima);
    numeros.Leer(TCampoNumerico::TemperaturaMaxima, campos.temperaturaMaxima, v.TemperaturaMaxima);
    numeros.Limites(TCampoNumerico::TemperaturaMinima, v.TemperaturaMinima, v.TemperaturaMaxima);
    numeros.Leer(TCampoNumerico::HumedadMinima, campos.humedadMinima, v.HumedadMinima);
    numeros.Leer(TCampoNumerico::HumedadMaxima, campos.humedadMaxima, v.HumedadMaxima);
    numeros.Limites(TCampoNumerico::HumedadMinima, v.HumedadMinima, v.HumedadMaxima);
    numeros.Leer(TCampoNumerico::EtiquetasDX, campos.etiquetasDX, v.EtiquetasDX);
    numeros.Leer(TCampoNumerico::EtiquetasDY, campos.etiquetasDY, v.EtiquetasDY);
    if (lectura.error)
        return {base, lectura.medicos, lectura.error};
    v.ofNombre = campos.ofNombre;
    v.ofTitular = campos.ofTitular;
    v.ofTelefono = campos.ofTelefono;
    v.ofDireccion = direccionGuardada(campos.ofDireccion);
    v.ofEmail = campos.ofEmail;
    v.ofWeb = campos.ofWeb;
    v.ofCP = campos.ofCP;
    v.ofCF = campos.ofCF;
    v.IdatMedOB = campos.idatMedOB ? 1 : 0;
    v.IP = campos.ip;
    v.ETIPRINTER = campos.impresora;
    v.PEtiquetas = campos.plantilla;
    return lectura;
}

bool CamposCambiados(const TCamposPreferencias &campos, const TPreferenciasValores &base,
                     const QStringList &medicos, const TLecturasMaquina &lecturas)
{
    const TLecturaCampos lectura = LeerCampos(campos, base, lecturas);
    return lectura.error || lectura.valores.lineas() != base.lineas()
            || lectura.medicos != medicosLimpios(medicos);
}

QStringList PlantillasEtiquetas(bool modoDesarrollo)
{
    QStringList plantillas {QStringLiteral("LB-m.000"), QStringLiteral("LB-m.001"),
                            QStringLiteral("LB-e.000")};
    if (modoDesarrollo)
        plantillas << QStringLiteral("Completo");
    return plantillas;
}
