#include "core/loading/FilasCarga.h"

#include "core/dosing/URecarga.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/ComprobacionesCarga.h"

namespace {

QString NombreConCodigo(const TDosis &porcion)
{
    return QString::number(porcion.IdMedicamento) + QLatin1Char(' ') + porcion.Nombre;
}

} // namespace

QList<TFilaMedicamento> FilasMedicamentos(const TRecarga &carga, bool conInventario,
                                          const QDate &limiteCaducidad)
{
    QList<TFilaMedicamento> filas;
    for (int i = 0; i < carga.Count(); ++i) {
        const TDosis &porcion = *carga.Linea(i);
        if (!porcion.EsSPD)
            continue;
        const bool caducada = PorcionCaducada(porcion, limiteCaducidad);
        const bool malDefinida = porcion.Estado == EstadoDosis::kSpdMal;
        TFilaMedicamento fila;
        fila.SPD = Traducir(QStringLiteral("STR_SI"), QStringLiteral("SI"));
        fila.Medicamento = NombreConCodigo(porcion);
        fila.Carga = porcion.Carga;
        fila.Falta = porcion.Cargadas != 0 ? porcion.Carga - porcion.SumaActual : porcion.Carga;
        if (malDefinida)
            fila.Estado = Traducir(QStringLiteral("MSG_MedicamentoSPDNodefinido"), QStringLiteral("SPD mal"));
        else if (caducada)
            fila.Estado = Traducir(QStringLiteral("MSG_MedicamentoCaducado"), QStringLiteral("Caducado"));
        else
            fila.Estado = TextoEstado(porcion.Estado, conInventario);
        fila.Dosis = porcion.ListaPendiente();
        fila.Disponible = porcion.Disponible;
        fila.Porcion = porcion.Porcion;
        fila.Descripcion = porcion.Aspecto;
        fila.Posologia = porcion.Dosis.isEmpty() ? QString() : porcion.DosisEtiqueta;
        fila.icorrect = (!caducada && porcion.Estado != EstadoDosis::kInsuficiente) || !conInventario;
        if (malDefinida)
            fila.icorrect = false;
        fila.IdMedicamento = porcion.IdMedicamento;
        fila.IdLinea = porcion.IdLinea;
        filas.append(fila);
    }
    return filas;
}

QList<TFilaOtroMedicamento> FilasOtrosMedicamentos(const TRecarga &carga)
{
    QList<TFilaOtroMedicamento> filas;
    for (int i = 0; i < carga.Count(); ++i) {
        const TDosis &porcion = *carga.Linea(i);
        if (porcion.EsSPD)
            continue;
        filas.append({Traducir(QStringLiteral("STR_NO"), QStringLiteral("NO")), NombreConCodigo(porcion),
                      porcion.Dosis, QString()});
    }
    return filas;
}
