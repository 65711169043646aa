#pragma once

#include <QString>

#include <optional>

// A blister's code read back, as a scanner or a user gives it: the patient's identifier and the
// load number it names.
struct TCodigoCarga
{
    qint64 idPaciente = 0;
    int refRecarga = 0;
};

// Reads a blister code, blanks around it ignored: the patient in 4 digits and the load number in
// 3 digits, followed by the EAN-8 check digit when it was scanned. A check digit that does not
// match (a misread scan), letters, or any other length give nothing: a code never names another
// load than the one printed.
std::optional<TCodigoCarga> LeerCodigoCarga(const QString &texto);
