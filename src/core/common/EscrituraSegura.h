#pragma once

#include <QSaveFile>

// Puts a QSaveFile's new content in place only when all of it reached the disk. QSaveFile
// renames a file whose buffered tail could not be written (on a full disk write() reports every
// byte and only the flush fails, yet commit() succeeds); checking the flush first keeps the old
// file instead.
inline bool ConfirmarEscritura(QSaveFile &archivo)
{
    if (!archivo.flush() || archivo.error() != QFileDevice::NoError) {
        archivo.cancelWriting();
        return false;
    }
    return archivo.commit();
}
