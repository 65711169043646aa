#include "core/audit/FiltroAuditoria.h"

#include "core/audit/uLOPD.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/VentanaCarga.h"

TCamposAuditoria CamposAuditoriaDelMes(const QDate &hoy)
{
    const TFiltroAuditoria mes = FiltroAuditoriaDelMes(hoy);
    TCamposAuditoria campos;
    campos.Desde = TextoFechaCampo(mes.Desde);
    campos.Hasta = TextoFechaCampo(mes.Hasta);
    return campos;
}

QStringList OperacionesAuditoria()
{
    return {LOPD::PalabraOperacion(LOPD::kConsulta), LOPD::PalabraOperacion(LOPD::kAlta),
            LOPD::PalabraOperacion(LOPD::kModificacion), LOPD::PalabraOperacion(LOPD::kBaja),
            LOPD::PalabraOperacion(LOPD::kConexion)};
}

QStringList ResultadosAuditoria()
{
    return {LOPD::PalabraResultado(LOPD::kAceptado), LOPD::PalabraResultado(LOPD::kRechazado),
            LOPD::PalabraResultado(LOPD::kPendiente)};
}

TFiltroAuditoriaLeido LeerFiltroAuditoria(const TCamposAuditoria &campos)
{
    TFiltroAuditoriaLeido leido;
    const auto rechazar = [&](TCampoAuditoria campo, const QString &mensaje) {
        leido.filtro = {};
        leido.error = mensaje;
        leido.campo = campo;
        return leido;
    };
    const QString formato
            = Traducir(QStringLiteral("ERR_FECHA_FORMATO"), QStringLiteral("EL FORMATO ES INCORRECTO"));
    TFiltroAuditoria &filtro = leido.filtro;
    if (const QString desde = campos.Desde.trimmed(); !desde.isEmpty()) {
        filtro.Desde = LeerFechaCampo(desde);
        if (!filtro.Desde.isValid())
            return rechazar(TCampoAuditoria::Desde, formato);
    }
    if (const QString hasta = campos.Hasta.trimmed(); !hasta.isEmpty()) {
        filtro.Hasta = LeerFechaCampo(hasta);
        if (!filtro.Hasta.isValid())
            return rechazar(TCampoAuditoria::Hasta, formato);
        if (filtro.Desde.isValid() && filtro.Hasta < filtro.Desde)
            return rechazar(
                    TCampoAuditoria::Hasta,
                    Traducir(QStringLiteral("ERR_FECHA_INFERIOR"),
                             QStringLiteral("LA FECHA FINAL NO PUEDE SER INFERIOR A LA FECHA INICIAL")));
    }
    filtro.Usuario = campos.Usuario;
    filtro.Accion = campos.Accion;
    filtro.Operacion = campos.Operacion;
    filtro.Resultado = campos.Resultado;
    filtro.Paciente = campos.Paciente;
    return leido;
}
