#pragma once

#include <QString>

// A file name made from a report title: characters that separate folders or that file systems
// and mail programs refuse become "_", blanks and dots at the ends go, and the name is kept
// short. A title that leaves nothing gives "informe". Never a path: "a/b" cannot escape the folder.
QString NombreArchivoSeguro(const QString &titulo);
