#pragma once

#include <QString>
#include <QVariant>

class TDM;

// Runs a statement with its bound values and returns the first column of its last row; a null
// value when it returns no row.
QVariant ValorConsulta(TDM &dm, const QString &sql, const QVariantList &valores = {});
