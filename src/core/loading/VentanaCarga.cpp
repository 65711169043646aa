#include "core/loading/VentanaCarga.h"

#include "core/dosing/UPosologia.h"

namespace {

constexpr int kDiasVentana = 7;

} // namespace

QDate LeerFechaCampo(const QString &texto)
{
    const QString limpio = texto.trimmed();
    QDate fecha = QDate::fromString(limpio, QStringLiteral("dd/MM/yyyy"));
    if (!fecha.isValid())
        fecha = QDate::fromString(limpio, QStringLiteral("d/M/yyyy"));
    return fecha;
}

QString TextoFechaCampo(const QDate &fecha)
{
    return TextoFecha(fecha);
}

TVentanaCarga ProponerVentana(const QString &textoInicio, const QString &textoFin,
                              const std::optional<QDate> &finUltimaCarga, const QDate &hoy)
{
    TVentanaCarga ventana;
    ventana.textoInicio = textoInicio.trimmed();
    if (ventana.textoInicio.isEmpty()) {
        ventana.inicio = finUltimaCarga ? finUltimaCarga->addDays(1) : hoy;
    } else {
        ventana.inicio = LeerFechaCampo(ventana.textoInicio);
        if (!ventana.inicio.isValid()) {
            ventana.inicio = hoy;
            ventana.textoInicio = TextoFechaCampo(hoy);
        }
    }
    if (ventana.inicio < hoy) {
        ventana.inicio = hoy;
        ventana.textoInicio = TextoFechaCampo(hoy);
    }
    if (ventana.textoInicio.isEmpty())
        ventana.textoInicio = TextoFechaCampo(ventana.inicio);

    const QDate ultimoDia = ventana.inicio.addDays(kDiasVentana - 1);
    ventana.textoFin = textoFin.trimmed();
    if (ventana.textoFin.isEmpty()) {
        ventana.fin = ultimoDia;
    } else {
        ventana.fin = LeerFechaCampo(ventana.textoFin);
        if (ventana.fin.isValid() && (ventana.fin > ultimoDia || ventana.fin < ventana.inicio))
            ventana.fin = ultimoDia;
    }
    if (ventana.fin.isValid())
        ventana.textoFin = TextoFechaCampo(ventana.fin);
    return ventana;
}
