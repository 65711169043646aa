#pragma once

#include <QString>

// The text of the current language for a message key, or the Spanish default.
QString Traducir(const QString &clave, const QString &porDefecto);
