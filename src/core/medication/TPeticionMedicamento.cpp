#include "core/medication/TPeticionMedicamento.h"

#include "core/common/Clock.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/medication/TCatalogoMedicamentos.h"
#include "core/stock/uInventario.h"

#include <QSqlQuery>

namespace {

constexpr int kLargoLote = 50; // the column Inventario.Lote

TRespuestaPeticion Rechazo(const QString &error, TCampoPeticion campo)
{
    TRespuestaPeticion respuesta;
    respuesta.Error = error;
    respuesta.Campo = campo;
    return respuesta;
}

} // namespace

QString TPeticionMedicamento::LoteDesconocido()
{
    return Traducir(QStringLiteral("STR_LOTE_DESCONOCIDO"), QStringLiteral("*****"));
}

const QDate &TPeticionMedicamento::SinCaducidad()
{
    static const QDate dia(2500, 12, 31);
    return dia;
}

qint64 TPeticionMedicamento::CodigoDeTipo(const QString &texto, bool principioActivo)
{
    bool numero = false;
    const qint64 codigo = texto.trimmed().toLongLong(&numero);
    if (!numero || codigo <= 0)
        return 0;
    TConsulta fila = m_dm.Consulta(
            QStringLiteral("SELECT IPrinActiv FROM Medicamento WHERE idMedicamento = ?"), {codigo});
    if (!fila.next())
        return 0;
    const bool esPrincipio = fila.value(0).toInt() == 1;
    return esPrincipio == principioActivo ? codigo : 0;
}

TRespuestaPeticion TPeticionMedicamento::Validar(const TDatosPeticion &datos)
{
    const bool hayProducto = !datos.CodigoProducto.trimmed().isEmpty();
    const bool hayPrincipio = !datos.CodigoPrincipio.trimmed().isEmpty();
    const bool obligatorios
            = m_contexto.ConInventario && m_contexto.DatosObligatorios && (!hayPrincipio || hayProducto);

    const qint64 producto = hayProducto ? CodigoDeTipo(datos.CodigoProducto, false) : 0;
    if (hayProducto && producto == 0)
        return Rechazo(Traducir(QStringLiteral("ERR_MEDICAMENTO_INEXISTENTE"),
                                QStringLiteral("MEDICAMENTO INEXITENTE")),
                       TCampoPeticion::Producto);
    const qint64 principio = hayPrincipio ? CodigoDeTipo(datos.CodigoPrincipio, true) : 0;
    if (hayPrincipio && principio == 0)
        return Rechazo(Traducir(QStringLiteral("ERR_MEDICAMENTO_PA_INEXISTENTE"),
                                QStringLiteral("MEDICAMENTO INEXITENTE")),
                       TCampoPeticion::Principio);

    if (m_contexto.Esperado > 0) {
        const bool esperaPrincipio = m_dm.EsPrincipioActivo(QString::number(m_contexto.Esperado));
        if ((esperaPrincipio ? principio : producto) != m_contexto.Esperado)
            return Rechazo(Traducir(QStringLiteral("ERR_MEDICAMENTO_NO_ESPERADO"),
                                    QStringLiteral("No es el medicamento esperado: "))
                                   + QString::number(m_contexto.Esperado),
                           esperaPrincipio ? TCampoPeticion::Principio : TCampoPeticion::Producto);
    }

    TMedicamentoPedido pedido;
    pedido.idMedicamento = principio > 0 ? principio : producto;
    pedido.IdMedicamentoReal = producto > 0 ? producto : pedido.idMedicamento;
    if (pedido.idMedicamento == 0)
        return Rechazo(Traducir(QStringLiteral("ERR_MEDICAMENTO_OBLIGATORIO"),
                                QStringLiteral("Obligatorio introducir CODIGO medicamento")),
                       TCampoPeticion::Producto);

    pedido.Lote = datos.Lote.trimmed();
    if (pedido.Lote.isEmpty()) {
        if (obligatorios)
            return Rechazo(Traducir(QStringLiteral("ERR_MEDICAMENTO_LOTE_OBLIGATORIO"),
                                    QStringLiteral("Obligatorio introducir LOTE medicamento")),
                           TCampoPeticion::Lote);
        pedido.Lote = LoteDesconocido();
    }
    if (pedido.Lote.size() > kLargoLote)
        return Rechazo(Traducir(QStringLiteral("ERR_LOTE_DEMASIADO_LARGO"),
                                QStringLiteral("EL LOTE NO PUEDE TENER MAS DE 50 CARACTERES")),
                       TCampoPeticion::Lote);
    if (const QString error = TCatalogoMedicamentos::ErrorSeparador(pedido.Lote); !error.isEmpty())
        return Rechazo(error, TCampoPeticion::Lote);

    const QString caducidad = datos.Caducidad.trimmed();
    pedido.Caducidad = caducidad.isEmpty() && !obligatorios ? SinCaducidad()
                                                            : LeerCaducidad(caducidad, m_contexto.MesPrimero);
    if (!pedido.Caducidad.isValid())
        return Rechazo(Traducir(QStringLiteral("ERR_MEDICAMENTO_CANTIDAD_OBLIGATORIO"),
                                QStringLiteral("Obligatorio introducir CADUCIDAD medicamento")),
                       TCampoPeticion::Caducidad);
    if (pedido.Caducidad < Clock::today())
        return Rechazo(Traducir(QStringLiteral("ERR_MEDICAMENTO_CADUCADO"),
                                QStringLiteral("El medicamento se encuentra caducado")),
                       TCampoPeticion::Caducidad);

    TRespuestaPeticion respuesta;
    respuesta.Pedido = pedido;
    return respuesta;
}
