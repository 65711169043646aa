#pragma once

class IniFile;
class TDM;
class TPreferences;

// The small pharmacy of the demo application directory: two categories, a dozen patients, a
// catalogue of common medications, treatments using every kind of dose rule, stock with lots and
// expiry dates, a pharmacist and an assistant. Written through the data module's operations, in
// one transaction, dated from today so the demo never looks stale.
namespace DemoPharmacy {

// The users and passwords of the demo (shown in the README).
inline constexpr const char *kFarmaceutico = "farmaceutico";
inline constexpr const char *kClaveFarmaceutico = "Farmacia1";
inline constexpr const char *kAuxiliar = "auxiliar";
inline constexpr const char *kClaveAuxiliar = "Auxiliar1";

// True for a directory whose initialisation file has "FARMACIA=1" in section "DEMO".
bool EsDirectorioDemo(const IniFile &ini);

// Fills the database when it holds neither patients nor users (a first start); returns whether
// it did. Throws AppError when the database refuses; nothing is then written.
bool Preparar(TDM &dm, TPreferences &preferencias);

// The start-up's call: prepares the demo pharmacy in a demo directory, or in any new database
// when the command line asked for it ("--demo"); does nothing elsewhere.
bool PrepararSiProcede(const IniFile &ini, bool pedida, TDM &dm, TPreferences &preferencias);

// The command-line switch that asks for the demo pharmacy in a new database.
inline constexpr const char *kArgumentoDemo = "--demo";

} // namespace DemoPharmacy
