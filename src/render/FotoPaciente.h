#pragma once

#include <QString>

// The patient's photo in the patient's folder of files (see core/patients/ArchivosPaciente.h).

// The largest picture file accepted as a photo.
inline constexpr qint64 kMaximoFotoBytes = 50LL * 1024 * 1024;

// Makes the picture file the patient's photo: it is scaled so that its longer side is 500 pixels
// and written as "FOTOPaciente.jpg" (JPEG, quality 20) in the folder, created when missing; every
// other photo file of the folder is then removed, so one photo is ever found. A file that is not a
// picture, is larger than kMaximoFotoBytes or cannot be written changes nothing. Empty on success,
// else the message for the user.
QString GuardarFotoPaciente(const QString &origen, const QString &carpeta);
