#include "core/loading/ComprobacionesCarga.h"

#include "core/dosing/URecarga.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/VentanaCarga.h"

namespace ComprobacionesCarga {

namespace {

TAvisoCarga Aviso(const QString &clave, const QString &porDefecto)
{
    return {clave, Traducir(clave, porDefecto)};
}

template<typename Condicion> bool AlgunaPorcion(const TRecarga &carga, Condicion condicion)
{
    for (int i = 0; i < carga.Count(); ++i) {
        if (condicion(*carga.Linea(i)))
            return true;
    }
    return false;
}

} // namespace

TComprobacion FechaValida(const QDate &fecha)
{
    if (fecha.isValid())
        return std::nullopt;
    return Aviso(QStringLiteral("ERR_FECHA_FORMATO"), QStringLiteral("EL FORMATO ES INCORRECTO"));
}

TComprobacion FechaNoPasada(const QDate &inicio, const QDate &hoy)
{
    if (inicio >= hoy)
        return std::nullopt;
    return Aviso(QStringLiteral("ERR_FECHA_INFERIORHOY"),
                 QStringLiteral("LA FECHA NO PUEDE SER MENOR QUE HOY"));
}

TComprobacion SemanaCompleta(bool conCategoria, const QDate &inicio, const QDate &fin)
{
    if (!conCategoria || fin >= inicio.addDays(6))
        return std::nullopt;
    return Aviso(QStringLiteral("ERR_PACIENTE_ES_CATEGIRA"),
                 QStringLiteral("CARGA IMPOSIBLE. EL PERIODO DE CARGA ES INFERIOR A UNA SEMANA, NO PERMITIDO "
                                "CUANDO EL PACIENTE PERTENECE A UNA CATEGORIA"));
}

TComprobacion AvisoMalDefinido(const TRecarga &carga)
{
    if (!AlgunaPorcion(carga, [](const TDosis &p) { return p.Estado == EstadoDosis::kSpdMal; })
        && carga.SinDosis.isEmpty())
        return std::nullopt;
    TAvisoCarga aviso = Aviso(QStringLiteral("ERR_MEDICAMENTOS_MAL_DEFINIDO"),
                              QStringLiteral("TRATAMIENTO DE MEDICAMENTO MAL DEFINIDO"));
    // A blister line whose dose gives nothing would otherwise vanish from the blister unseen.
    for (const QString &nombre : carga.SinDosis)
        aviso.texto += QStringLiteral("\r\n") + nombre;
    return aviso;
}

TComprobacion AvisoCaducados(const TRecarga &carga, bool conInventario, const QDate &limite)
{
    if (!conInventario)
        return std::nullopt;
    QString nombres;
    for (int i = 0; i < carga.Count(); ++i) {
        if (PorcionCaducada(*carga.Linea(i), limite))
            nombres += QStringLiteral("\r\n") + carga.Linea(i)->Nombre;
    }
    if (nombres.isEmpty())
        return std::nullopt;
    TAvisoCarga aviso = Aviso(QStringLiteral("ERR_MEDICAMENTOS_CADUCADOS"),
                              QStringLiteral("LOS SIGUIENTES MEDICAMENTOS ESTAN CADUCADOS: "));
    aviso.texto += nombres;
    return aviso;
}

TComprobacion CargaVacia(const TRecarga &carga)
{
    if (AlgunaPorcion(carga, [](const TDosis &p) { return p.EsSPD; }))
        return std::nullopt;
    return Aviso(QStringLiteral("ERR_TRATAMIENTO_INDEFINID0"), QStringLiteral("TRATAMIENTO INDEFINIDO"));
}

TComprobacion AvisoStockInsuficiente(const TRecarga &carga, bool conInventario)
{
    if (!conInventario)
        return std::nullopt;
    const bool falta = AlgunaPorcion(carga, [](const TDosis &p) {
        if (p.Estado == EstadoDosis::kInsuficiente)
            return true;
        return p.Estado == EstadoDosis::kCompletado
                && qint64(p.Carga) * EnCentesimas(p.Porcion) > EnCentesimas(p.Disponible);
    });
    if (!falta)
        return std::nullopt;
    return Aviso(QStringLiteral("ERR_MEDICAMENTOS_INSUFICIENTES"),
                 QStringLiteral("NO HAY SUFICIENTES PASTILLAS PARA SIGUIENTE CARGA "));
}

TComprobacion MaquinaConectada(bool conectada)
{
    if (conectada)
        return std::nullopt;
    return Aviso(QStringLiteral("ERR_MAQUINA_DESCONECTADA"),
                 QStringLiteral("NO SE PUEDE CARGAR PORQUE LA MAQUINA NO ESTA CONECTADA"));
}

TComprobacion MaquinaEnEspera(quint8 estadoMaquina)
{
    if (estadoMaquina == 0)
        return std::nullopt;
    return Aviso(QStringLiteral("ERR_MAQUINA_ESPERA"),
                 QStringLiteral("NO SE PUEDE CARGAR PORQUE LA MAQUINA NO ESTA EN ESPERA"));
}

} // namespace ComprobacionesCarga

bool PorcionCaducada(const TDosis &porcion, const QDate &limite)
{
    const QDate caducidad = LeerFechaCampo(porcion.Caducidad);
    return caducidad.isValid() && caducidad < limite;
}

QString TextoEstado(quint8 estado, bool conInventario)
{
    switch (estado) {
    case EstadoDosis::kCargando:
        return Traducir(QStringLiteral("MSG_MedicamentoCargando"), QStringLiteral("Cargando"));
    case EstadoDosis::kCompletado:
        return Traducir(QStringLiteral("MSG_MedicamentoCompletado"), QStringLiteral("Completado"));
    case EstadoDosis::kInsuficiente:
        if (conInventario)
            return Traducir(QStringLiteral("MSG_MedicamentoInsuficiente"), QStringLiteral("Insuficiente"));
        [[fallthrough]];
    case EstadoDosis::kNuevo:
    case EstadoDosis::kPendiente:
    case EstadoDosis::kReiniciado:
    case 7: // reported by the machine, no meaning of its own
        return Traducir(QStringLiteral("MSG_MedicamentoPendiente"), QStringLiteral("Pendiente"));
    case EstadoDosis::kSpdMal:
        return Traducir(QStringLiteral("MSG_MedicamentoSPDNodefinido"), QStringLiteral("SPD mal"));
    default:
        return QStringLiteral("none");
    }
}
