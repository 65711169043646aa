#pragma once

#include "core/shell/IniFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class QSqlRecord;

// The pharmacy's preferences as stored in the "Param" lines of table CONF, with their defaults.
struct TPreferenciasValores
{
    bool LogCom = false;
    bool ServerMode = false;
    int HumedadMinima = 40;
    int HumedadMaxima = 60;
    int TemperaturaMinima = 15;
    int TemperaturaMaxima = 25;
    int Varitemperatura = 0;
    int Varihumedad = 0;
    QString ofNombre;
    QString ofTitular;
    QString ofTelefono;
    QString ofDireccion; // may hold several lines (CR LF)
    QString ofEmail;
    QString ofWeb;
    QString ofCP;
    QString ofCF;
    int EtiquetasDX = 0;
    int EtiquetasDY = 0;
    int IdatMedOB = 1;
    QString ETIPRINTER;
    QString IP;
    QString Idioma;
    QString Pais;
    int TipoBlister = 1;

    // Every country but the United Kingdom keeps each patient's stock of medication: needs,
    // orders and the stock dialogs of the load screens exist only there.
    bool PaisConStock() const { return Pais != QLatin1String("3"); }
    QString PEtiquetas = QStringLiteral("LB-m.000");

    // The values of the "Param" lines, falling back to the older columns of the CONF row and
    // then to the defaults. A malformed number takes the default and is logged.
    static TPreferenciasValores desde(const QStringList &param, const QSqlRecord &conf);
    // The "key=value" lines in their stored order.
    QStringList lineas() const;
};

// The preferences of the pharmacy (the one CONF row, shared by every workstation) and the run-time
// values of this session. One process-wide instance, reached through Preferencias(); its
// constructor reads it (Cargar). Screens change fields and call Guardar.
class TPreferences : public TPreferenciasValores
{
public:
    // Reads CONF through the data module (which must exist) and the workstation's file.
    explicit TPreferences(IniFile ini);
    ~TPreferences();
    TPreferences(const TPreferences &) = delete;
    TPreferences &operator=(const TPreferences &) = delete;

    QByteArray Logo; // the logo picture as stored (any image format); empty for none
    QStringList Medicos; // doctor names, upper case
    QStringList Param; // the lines as last read or written

    // Run-time values, never stored.
    bool NoReinoUnido = true; // the country is not the United Kingdom ("3")
    int TipoCarga = 0; // 0 automatic (the machine), 1 manual
    double VersionMaquina = 0; // the machine's software version, 0 when it did not answer

    void Cargar();
    // Writes the preferences in one transaction: the CONF row is read again and only what this
    // workstation changed since it read them replaces the stored values, so two workstations
    // saving different changes keep both. Lines of "Param" this version does not know stay.
    // The doctors removed or added here since reading are removed from or added to the stored list.
    // The label printer also goes to the workstation's file. Throws AppError when the database
    // refuses; nothing is then written.
    void Guardar();
    // Adds a doctor (upper case) to the shared list unless it is there already, without
    // rewriting the rest of the row.
    void AnadirMedico(const QString &nombre);
    // Start-up: with no country and a language of "0" to "3", the country follows the language;
    // then the preferences are saved.
    void PaisPorDefecto();

private:
    void aplicar(const TPreferenciasValores &valores);

    IniFile m_ini;
    QStringList m_lineasLeidas; // this workstation's view of the stored lines, for Guardar
    QByteArray m_logoLeido;
    QStringList m_medicosLeidos;
};

// The process-wide preferences; they must exist.
TPreferences &Preferencias();
void GuardarPreferencias();
void RecargarPreferencias();

// Start-up: with an empty medication catalogue, key "MED" (country "0") or "MED" + country of
// section "VERSION" is set to "0" so the update check sees the catalogue as outdated.
void MarcarCatalogoVacio(IniFile &ini);
