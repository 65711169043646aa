#include "core/shell/TituloVentana.h"

#include <QLocale>

namespace {

// Machine versions are decimal numbers ("1.3", "2.0", "2.2"): always with their decimal part,
// with "." whatever the locale.
QString TextoVersionMaquina(double version)
{
    QString texto = QLocale::c().toString(version, 'f', QLocale::FloatingPointShortest);
    if (!texto.contains(QLatin1Char('.')))
        texto += QStringLiteral(".0");
    return texto;
}

} // namespace

QString TituloVentanaPrincipal(const TEstadoTitulo &estado)
{
    QString titulo = QStringLiteral("Pastillero ") + estado.version;
    if (estado.versionMaquina > 0)
        titulo += QStringLiteral("   Firmware : ") + TextoVersionMaquina(estado.versionMaquina);
    if (estado.canalBeta || estado.desarrollo)
        titulo += QStringLiteral("  (BETA)");
    if (estado.desarrollo)
        titulo += QStringLiteral("  (DESARROLLO)");
    if (estado.captura)
        titulo += QStringLiteral("  (CAPTURA LITERALES)");
    return titulo;
}
