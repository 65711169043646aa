#include "core/shell/TextosCabecera.h"

#include "core/data/SesionTypes.h"
#include "core/data/uDM.h"
#include "core/settings/uPreferencias.h"

TTextosCabecera TextosCabecera(const std::optional<TUsuario> &usuario, const QString &ofTitular,
                               const QString &ofNombre, const QDate &hoy)
{
    TTextosCabecera textos;
    if (usuario) {
        textos.usuario = usuario->Nombre.trimmed().toUpper();
        if (!usuario->Perfil.isEmpty())
            textos.usuario += QStringLiteral(" - ") + usuario->Perfil.trimmed().toUpper();
    }
    textos.titular = ofTitular.trimmed().toUpper();
    textos.farmacia = ofNombre.trimmed().toUpper();
    textos.pie = QStringLiteral("Pastillero \u00A9 ") + QString::number(hoy.year());
    return textos;
}

TTextosCabecera TextosCabeceraSesion(const QDate &hoy)
{
    return TextosCabecera(DM().Usuario, Preferencias().ofTitular, Preferencias().ofNombre, hoy);
}
