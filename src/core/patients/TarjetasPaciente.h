#pragma once

#include "core/reports/ReportDocument.h"

#include <QList>
#include <QString>

#include <optional>

// The printed patient cards ("TARJETAS"): one card per patient with the reference, the name in
// the country whose cards carry it, and a bar code that the main screen's search reads back to
// the same patient.

struct TDatosTarjeta
{
    qint64 idPaciente = 0;
    QString refPaciente;
    QString Nombre;
};

struct TCodigoTarjeta
{
    BarcodeType tipo = BarcodeType::Ean8;
    QString datos; // with its check digit for an EAN-8

    bool operator==(const TCodigoTarjeta &) const = default;
};

// The card's bar code. Up to identifier 9999 an EAN-8 of the identifier in four digits, "000" and
// the check digit (the main search opens the patient by the first four digits). A larger
// identifier does not fit: the card carries a Code 128 of the reference instead, which the main
// search looks up as a typed reference. None when the reference would not be read back as itself
// (blanks around it, characters a scanner does not type, a text the search takes for a telephone,
// an identity number or a medication code) or is too long to scan on a card: such a card shows the
// reference without a bar code rather than one that opens another patient or none.
std::optional<TCodigoTarjeta> CodigoTarjetaPaciente(const TDatosTarjeta &paciente, const QString &pais);

// The reference as the card prints it: padded on the left with "0" to 4 characters.
QString ReferenciaTarjeta(const QString &refPaciente);

// The cards, two across the page, in the order given. The name is printed only when `pais` is "2".
TReportDocument InformeTarjetasPacientes(const QList<TDatosTarjeta> &pacientes, const QString &pais);
