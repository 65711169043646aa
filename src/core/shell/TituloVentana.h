#pragma once

#include <QString>

// What the main window's caption reports about the session.
struct TEstadoTitulo
{
    QString version; // VersionTexto()
    double versionMaquina = 0; // 0 while the machine has not reported its software version
    bool canalBeta = false; // updates come from the beta channel
    bool desarrollo = false; // developer mode (which also takes updates from the beta channel)
    bool captura = false; // capture of window texts is on
};

// The product title, a blank and the version; then the machine software ("   Firmware : "),
// "  (BETA)", "  (DESARROLLO)" and "  (CAPTURA LITERALES)" as they apply.
QString TituloVentanaPrincipal(const TEstadoTitulo &estado);
