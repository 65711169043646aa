#include "core/loading/CodigoCarga.h"

#include "core/medication/uEAN.h"

#include <algorithm>

namespace {

constexpr int kCifrasPaciente = 4;
constexpr int kCifrasCarga = 3;
constexpr int kCifrasCodigo = kCifrasPaciente + kCifrasCarga;

} // namespace

std::optional<TCodigoCarga> LeerCodigoCarga(const QString &texto)
{
    const QString codigo = texto.trimmed();
    if (codigo.size() != kCifrasCodigo && codigo.size() != kCifrasCodigo + 1)
        return std::nullopt;
    if (!std::all_of(codigo.cbegin(), codigo.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    if (codigo.size() == kCifrasCodigo + 1 && CalcularDigitoControlEAN(codigo) != codigo.back().digitValue())
        return std::nullopt;
    return TCodigoCarga {codigo.left(kCifrasPaciente).toLongLong(),
                         codigo.mid(kCifrasPaciente, kCifrasCarga).toInt()};
}
