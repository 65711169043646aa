#include "core/medication/TDatosMedicamento.h"

#include "core/i18n/ULenguaje.h"
#include "core/medication/TCatalogoMedicamentos.h"
#include "core/stock/uInventario.h"

namespace {

QString ErrorNumerico()
{
    return Traducir(QStringLiteral("ERR_DATO_NUMERICO"),
                    QStringLiteral("EL DATO A INTRODUCIR DEBE SER NUMERICO MAYOR QUE CERO"));
}

QString ErrorEditable(const TDatosMedicamento &datos, bool nuevo, bool codigoExiste)
{
    if (nuevo) {
        if (const QString error = TCatalogoMedicamentos::ErrorCodigoNuevo(datos.Codigo); !error.isEmpty())
            return error;
        if (codigoExiste)
            return Traducir(QStringLiteral("ERR_MEDICAMENTO_CODIGO_REPETIDO"),
                            QStringLiteral("CODIGO MEDICAMENTO YA EXISTENTE"));
    }
    if (!datos.PVP.trimmed().isEmpty()) {
        const std::optional<double> pvp = LeerCantidad(datos.PVP);
        if (!pvp || !TInventario::ErrorCantidad(*pvp).isEmpty())
            return ErrorNumerico();
    }
    if (datos.Medicamento.trimmed().isEmpty())
        return Traducir(QStringLiteral("ERR_MEDICAMENTO_NOMBRE_NO_INTRODUCIDO"),
                        QStringLiteral("INTRODUCIR NOMBRE MEDICAMENTO"));
    if (datos.Descripcion.trimmed().isEmpty())
        return Traducir(QStringLiteral("ERR_MEDICAMENTO_DESCRIPCION_NO_INTRODUCIDO"),
                        QStringLiteral("INTRODUCIR DESCRIPCION MEDICAMENTO"));
    return {};
}

} // namespace

QString ErrorMedicamento(const TDatosMedicamento &datos, bool nuevo, bool editable, bool codigoExiste,
                         bool conInventario)
{
    if (editable) {
        if (const QString error = ErrorEditable(datos, nuevo, codigoExiste); !error.isEmpty())
            return error;
    }
    // The texts travel to the machine, whose protocol separates fields by ";" and "|".
    for (const QString *texto :
         {&datos.Medicamento, &datos.Descripcion, &datos.DescUsuario, &datos.Forma, &datos.Color}) {
        if (const QString error = TCatalogoMedicamentos::ErrorSeparador(*texto); !error.isEmpty())
            return error;
    }
    if (!datos.SPD.has_value())
        return Traducir(QStringLiteral("ERR_MEDICAMENTO_EMBLISTABLE_NO_ELEGIDO"),
                        QStringLiteral("INDICAR SI EL MEDICAMENTO ES EMBLISTABLE"));
    if (*datos.SPD && conInventario && !datos.PrincipioActivo) {
        bool numero = false;
        const int unidades = datos.Unidades.trimmed().toInt(&numero);
        if (!numero || unidades <= 0)
            return ErrorNumerico();
    }
    return {};
}
