#pragma once

#include <QDate>
#include <QString>

#include <optional>

struct TUsuario;

// The texts of the header and footer every screen shows: who is working, for which pharmacy,
// and the year.
struct TTextosCabecera
{
    QString usuario; // name and profile of the logged-in user, upper case; empty with nobody
    QString titular; // the pharmacy's owner, upper case
    QString farmacia; // the pharmacy's name, upper case
    QString pie; // the footer line with the year of `hoy`
};

TTextosCabecera TextosCabecera(const std::optional<TUsuario> &usuario, const QString &ofTitular,
                               const QString &ofNombre, const QDate &hoy);
// The same texts for this session: the logged-in user of the data module and the pharmacy of the
// preferences, both of which must exist.
TTextosCabecera TextosCabeceraSesion(const QDate &hoy);
