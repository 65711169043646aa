#pragma once

#include <QDate>
#include <QString>

#include <functional>

class TDM;

// The upgrades of a database made by an earlier version of the application: the product used on
// load lines and stock rows, the first version of every treatment history, the shared list of
// doctors and the links from load lines to the stock rows they consumed. Each step runs once per
// database and records itself in CONF.UPDVersion ("ACTDB1=1", ...); later starts skip it.
namespace ActualizacionBaseDatos {

// Shows the notice before the stock links are made, a long step; runs `enlazar` when the user
// accepts it. What `enlazar` throws goes on to the caller.
using Aviso = std::function<void(const QString &texto, const std::function<void()> &enlazar)>;

// The record of a database that needs none of the steps: the one a new database starts with.
QString RegistroCompleto();

} // namespace ActualizacionBaseDatos

// Runs every step not recorded yet, in order, each in one transaction with its record, so an
// interrupted step leaves nothing behind and runs again from the start at the next start-up.
// Throws AppError when the database refuses a step.
void ActualizarBaseDatos(TDM &dm, const QDate &hoy, const ActualizacionBaseDatos::Aviso &aviso);
