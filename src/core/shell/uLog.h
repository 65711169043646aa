#pragma once

#include <QString>

class IniFile;

// The event log: one dated line per event appended to pastillero.log in the application
// directory. Off unless the initialisation file switches it on; the switch is read once.
namespace uLog {

// Reads TALLER/TEST, and VERSION/LOG when that is not 1, from the initialisation file, and
// remembers where the log file is.
void IniciarLog(const IniFile &ini, const QString &logPath);

// The switch: logging happens only while it equals 1.
int LogActivo();

// Appends "dd/MM/yy hh:mm:ss", a blank, the message and CR LF. An empty message writes nothing.
// Never reports a failure: an entry that cannot be written is lost, the file is never emptied.
void Log(const QString &mensaje);

// Switches logging off again and forgets the path (start of a test, end of the process).
void CerrarLog();

} // namespace uLog

using uLog::Log;
