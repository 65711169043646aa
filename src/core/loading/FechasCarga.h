#pragma once

#include <QDate>
#include <QString>

#include <optional>

class TDM;

// The dates of a patient's stored loads that choose the next load's window.

// The highest load number stored for the patient ("?" takes idPaciente; null when none).
QString SentenciaUltimoNumeroCarga();

// The end of the patient's last load (the one with the highest load number); nothing when the
// patient has no load or that load has no end date. A database failure is raised.
std::optional<QDate> FinUltimaCarga(TDM &dm, qint64 idPaciente);

// Whether a load of the patient starts on the day; false also when the database fails.
bool ExisteCarga(TDM &dm, qint64 idPaciente, const QDate &fecha);

// The day after the patient's last load, not before today; today when there is no load or the
// database fails.
QDate FechaSiguienteCarga(TDM &dm, qint64 idPaciente);
