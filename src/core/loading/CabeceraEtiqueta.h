#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

// The outside face and the doctor of a label sheet: the load's patient, number and dates, the
// pharmacy, and the picture (the patient's photo, else the pharmacy's logo).
struct TCabeceraEtiqueta
{
    int idPaciente = 0;
    QString Nombre;
    QString refPaciente;
    int refRecarga = 0;
    QDateTime FechaRealizado;
    QDate FechaInicio;
    QDate FechaFin;
    QString farmacia;
    QString telefonoFarmacia;
    QString medico;
    QString telefonoMedico;
    QByteArray imagen; // the encoded picture; empty for none
    bool esFoto = false; // the picture is the patient's photo (printed smaller, elsewhere)
    bool conInventario = true; // IConInven 1 or Null
    QString codigo; // the load's code (see TextosEtiqueta::CodigoCarga)
};

// The header of a stored load, through the data module and the preferences; nothing (idPaciente
// 0) when no load has the identifier. A photo or logo file that is missing leaves no picture.
TCabeceraEtiqueta CabeceraEtiqueta(qint64 idRecarga);
