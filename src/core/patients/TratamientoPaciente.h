#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>

class TDM;

// One line of the active patient's treatment as the treatment screen lists it.
struct TFilaTratamiento
{
    qint64 id = 0; // the SPD row
    qint64 Idpaciente = 0;
    qint64 IdMedicamento = 0;
    QString Medicamento; // the medication's displayed name
    QString Medico;
    QString DosisVer; // the label dose when not empty, else the dose
    double Cantidad = 0.0; // stock on hand for the line
    QString Dosis;
    QString DosisEtiqueta;
    QDate Inicio;
    QDate Fin; // invalid: no end
    QString DosisS1Real; // the line's stored DosisS1
    QString Notas;
    bool Kelvo = false; // the line goes into the blister
    QVariant SPDP; // the line's own blister choice, null when not set
};

// The patient's treatment lines, in the order the database gives them, with their medication's
// displayed name and blister flag. A database failure is raised.
QList<TFilaTratamiento> LineasTratamiento(TDM &dm, qint64 idPaciente);

// Deletes one of the patient's lines under the patient's lock; the medication's stock rows are
// left as they are. True when the line was there and is deleted.
bool BorrarLineaTratamiento(TDM &dm, qint64 idPaciente, qint64 idLinea);
