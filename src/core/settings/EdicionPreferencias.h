#pragma once

#include "core/settings/uPreferencias.h"

#include <QString>
#include <QStringList>

#include <optional>

// The editing of the preferences on the preferences screen, without widgets: the fields as the
// user sees and types them, their checks, and whether anything differs from what is stored.

// The machine's raw readings when the screen was shown; none when the machine did not answer.
struct TLecturasMaquina
{
    std::optional<int> humedad;
    std::optional<int> temperatura;
};

// The numeric fields, in the order they are checked.
enum class TCampoNumerico {
    Humedad, // "H": the reading plus its correction
    Temperatura, // "T"
    TemperaturaMinima,
    TemperaturaMaxima,
    HumedadMinima,
    HumedadMaxima,
    EtiquetasDX,
    EtiquetasDY,
};

// What the screen shows, as text where the user types it.
struct TCamposPreferencias
{
    QString humedad; // empty without a reading
    QString temperatura;
    QString temperaturaMinima;
    QString temperaturaMaxima;
    QString humedadMinima;
    QString humedadMaxima;
    QString ofNombre;
    QString ofTitular;
    QString ofTelefono;
    QString ofDireccion; // lines separated by "\n", as an editor gives them
    QString ofEmail;
    QString ofWeb;
    QString ofCP;
    QString ofCF;
    bool idatMedOB = true;
    QString etiquetasDX;
    QString etiquetasDY;
    QString ip; // carried unseen through the save
    QString impresora;
    QString plantilla;
    QStringList medicos;

    bool operator==(const TCamposPreferencias &) const = default;
};

// A field the user must correct: which one and the message (already translated).
struct TErrorCampo
{
    TCampoNumerico campo;
    QString mensaje;
};

// The fields read back: the preferences they give, or the first field that fails its check.
struct TLecturaCampos
{
    TPreferenciasValores valores;
    QStringList medicos;
    std::optional<TErrorCampo> error;
};

// The fields that show these preferences and doctors with these readings.
TCamposPreferencias CamposDe(const TPreferenciasValores &valores, const QStringList &medicos,
                             const TLecturasMaquina &lecturas);

// Reads the fields over `base` (the values the screen does not show stay). A field that is not a
// whole number, or a lower limit above its upper limit, stops the reading at that field.
TLecturaCampos LeerCampos(const TCamposPreferencias &campos, const TPreferenciasValores &base,
                          const TLecturasMaquina &lecturas);

// True when saving the fields would change the preferences or the doctors; a field that fails
// its check counts as changed, so that the user is told rather than the edit dropped.
bool CamposCambiados(const TCamposPreferencias &campos, const TPreferenciasValores &base,
                     const QStringList &medicos, const TLecturasMaquina &lecturas);

// The label layouts the label printing knows; "Completo" only in developer mode.
QStringList PlantillasEtiquetas(bool modoDesarrollo);
