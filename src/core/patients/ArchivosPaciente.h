#pragma once

#include <QString>
#include <QStringList>

class TDM;

// The patient's folder of files: "files/<idPaciente>" beside the database (or in the application
// directory for a server database). It holds the photo ("FOTOPaciente" with the extension of its
// format) and the documents attached to the patient. A card being created collects its files in
// "files/NEW", which takes the patient's identifier as its name once the patient is stored.
namespace ArchivosPaciente {

inline const QString kCarpetaNueva = QStringLiteral("NEW");
inline const QString kNombreFoto = QStringLiteral("FOTOPaciente");

QString CarpetaArchivos(const TDM &dm);
// The folder of the patient; that of a card being created for idPaciente 0. It may not exist.
QString Carpeta(const TDM &dm, qint64 idPaciente);

// A new card starts with an empty "NEW" folder, and a card that is cancelled leaves none behind,
// so a new patient never receives files chosen for another. False when a file could not be removed.
bool VaciarCarpetaNueva(const TDM &dm);
// Once the new patient is stored, "NEW" becomes the patient's folder (its files join those already
// there, replacing files of the same name). Empty on success, else the message for the user; the
// files not moved stay in "NEW".
QString AdoptarCarpetaNueva(const TDM &dm, qint64 idPaciente);

// The photo files of the folder: any extension, without regard to case.
bool EsFicheroFoto(const QString &nombre);
// The photo to show or print: "FOTOPaciente.BMP", else "FOTOPaciente.jpg", without regard to case;
// empty when there is none.
QString RutaFoto(const QString &carpeta);
// Removes every photo file of the folder; false when one could not be removed.
bool BorrarFoto(const QString &carpeta);

// The documents of the folder (every file but the photo), by name.
QStringList Documentos(const QString &carpeta);
bool ExisteDocumento(const QString &carpeta, const QString &nombre);
// Copies the file into the folder under its own name, replacing a document of that name only once
// the copy is complete. Empty on success, else the message for the user.
QString CopiarDocumento(const QString &origen, const QString &carpeta);
bool BorrarDocumento(const QString &carpeta, const QString &nombre);

} // namespace ArchivosPaciente
