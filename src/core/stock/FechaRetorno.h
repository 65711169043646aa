#pragma once

#include <QDate>
#include <QString>

// What the return date field holds, checked in this order: a text that is not a day, an empty
// field (the load is then not returned, which the user must confirm), a day after today.
enum class TFechaRetorno { Valida, FormatoIncorrecto, Vacia, PosteriorAHoy };

struct TValidacionFechaRetorno
{
    TFechaRetorno Resultado = TFechaRetorno::Vacia;
    QDate Fecha; // the day read; invalid unless Valida

    // The error to show, or the question to ask for an empty field; empty for a valid day.
    QString Mensaje() const;
};

// Reads the field as the application reads typed dates (day/month/year or the locale's short
// form; a two-digit year is the latest such year that is not after this year) and compares it
// with today's date of the application clock.
TValidacionFechaRetorno ValidarFechaRetorno(const QString &texto);
