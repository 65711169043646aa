#include "core/patients/GuardarLineaTratamiento.h"

#include "core/audit/uLOPD.h"
#include "core/data/SqlFecha.h"
#include "core/data/uDM.h"
#include "core/patients/EstadoDosis.h"

#include <QStringList>

QString DosisEtiquetaGuardada(const TLineaEditada &linea)
{
    if (!linea.SPD)
        return linea.Dosis;
    if (!linea.DosisAlAbrir.isEmpty() && linea.DosisAlAbrir != linea.Dosis)
        return linea.Dosis;
    return linea.DosisEtiqueta.isEmpty() ? linea.Dosis : linea.DosisEtiqueta;
}

TLineaGuardada GuardarLineaTratamiento(TDM &dm, qint64 idPaciente, const TLineaEditada &linea,
                                       const QString &accion)
{
    TLineaGuardada guardada;
    guardada.Dosis = linea.Dosis;
    guardada.DosisEtiqueta = DosisEtiquetaGuardada(linea);
    QVariantMap campos {{QStringLiteral("Inicio"), SqlFecha::valor(linea.Inicio)},
                        {QStringLiteral("Fin"), SqlFecha::valor(linea.Fin)},
                        {QStringLiteral("Dosis"), linea.Dosis},
                        {QStringLiteral("DosisS1"), linea.SPD ? linea.Dosis : TEstadoDosis::kDosisSinBlister},
                        {QStringLiteral("DosisS2"), QString()},
                        {QStringLiteral("DosisS3"), QString()},
                        {QStringLiteral("DosisS4"), QString()},
                        {QStringLiteral("Medico"), linea.Medico},
                        {QStringLiteral("Notas"), linea.Notas},
                        {QStringLiteral("DosisEtiqueta"), guardada.DosisEtiqueta}};
    // The override changes only when the user changed the blister choice.
    if (linea.SPD != linea.SPDInicial)
        campos.insert(QStringLiteral("SPDP"), linea.SPD ? 1 : 0);

    dm.EnTransaccionPaciente(idPaciente, [&] {
        const QVariant id = dm.Valor(
                QStringLiteral("SELECT id FROM SPD WHERE idPaciente = ? AND idMedicamento = ? ORDER BY id"),
                {idPaciente, linea.idMedicamento});
        guardada.Nueva = id.isNull();
        if (guardada.Nueva) {
            QVariantMap nueva = campos;
            nueva.insert(QStringLiteral("idPaciente"), idPaciente);
            nueva.insert(QStringLiteral("idMedicamento"), linea.idMedicamento);
            nueva.insert(QStringLiteral("Cantidad"), linea.Cantidad);
            dm.Anadir(QStringLiteral("SPD"), nueva);
            return;
        }
        QStringList asignaciones;
        QVariantList valores;
        for (auto it = campos.cbegin(); it != campos.cend(); ++it) {
            asignaciones << it.key() + QStringLiteral(" = ?");
            valores << it.value();
        }
        valores << id;
        dm.Ejecutar(QStringLiteral("UPDATE SPD SET ") + asignaciones.join(QStringLiteral(", "))
                            + QStringLiteral(" WHERE id = ?"),
                    valores);
    });
    Auditar(accion, guardada.Nueva ? LOPD::kAlta : LOPD::kModificacion, LOPD::kAceptado);
    return guardada;
}
