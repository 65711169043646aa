#include "core/patients/LineaTratamiento.h"

#include "core/data/ValoresMostrados.h"

namespace {

// Values compared as stored: a null only equals a null; numbers and texts by their text.
bool IgualGuardado(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    if (a.metaType().id() == QMetaType::QDateTime || b.metaType().id() == QMetaType::QDateTime)
        return a.toDateTime() == b.toDateTime();
    return a.toString() == b.toString();
}

} // namespace

bool TLineaTratamiento::CambiaPosologia(const TLineaTratamiento &otra) const
{
    return !IgualGuardado(Dosis, otra.Dosis);
}

bool TLineaTratamiento::CambiaFechas(const TLineaTratamiento &otra) const
{
    return !IgualGuardado(Inicio, otra.Inicio) || !IgualGuardado(Fin, otra.Fin);
}

bool TLineaTratamiento::CambiaOtros(const TLineaTratamiento &otra) const
{
    return !IgualGuardado(Medico, otra.Medico) || !IgualGuardado(Notas, otra.Notas);
}

bool TLineaTratamiento::CambiaSPD(const TLineaTratamiento &otra) const
{
    return !IgualGuardado(SPDP, otra.SPDP);
}

bool TLineaTratamiento::operator==(const TLineaTratamiento &otra) const
{
    return !CambiaPosologia(otra) && !CambiaFechas(otra) && !CambiaOtros(otra) && !CambiaSPD(otra)
            && IgualGuardado(DosisEtiqueta, otra.DosisEtiqueta);
}

namespace ColumnasTratamiento {

bool Kelvo(const QVariant &spdp, const QVariant &spdMedicamento)
{
    return ValoresMostrados::SpdEfectivo(spdp, spdMedicamento);
}

QString DosisVer(const QString &dosisEtiqueta, const QString &dosis)
{
    return dosisEtiqueta.isEmpty() ? dosis : dosisEtiqueta;
}

} // namespace ColumnasTratamiento
