#include "core/stock/AuditoriaStock.h"

#include "core/audit/uLOPD.h"
#include "core/i18n/ULenguaje.h"

namespace AuditoriaStock {

void Dispensar(const QString &caption)
{
    // The stored action keeps this suffix untranslated.
    Auditar(caption + QStringLiteral(" DISPENSAR"), LOPD::kAlta, LOPD::kAceptado);
}

void Modificacion(const QString &caption)
{
    Auditar(caption
                    + Traducir(QStringLiteral("CAPTION_LOPD_MOD_INVENTARIO"),
                               QStringLiteral(" MOD. INVENTARIO")),
            LOPD::kModificacion, LOPD::kAceptado);
}

void Baja(const QString &caption)
{
    Auditar(caption
                    + Traducir(QStringLiteral("CAPTION_LOPD_BORR_INVENTARIO"),
                               QStringLiteral(" BORR. INVENTARIO")),
            LOPD::kBaja, LOPD::kAceptado);
}

} // namespace AuditoriaStock
