#pragma once

#include <QDate>
#include <QString>

#include <optional>

class TDM;

// What the loading screens show and send of the patient whose blister is loaded.
struct TPacienteCarga
{
    qint64 idPaciente = 0;
    QString refPACIENTE;
    QString NOMBRE;
    QDate FechaAlta;
    QDate FechaBaja;
    bool conCategoria = false; // CodCategoria names a category: the patient's loads are whole weeks
    bool conInventario = true; // the patient's stock is kept (ConInventario)
    int siguienteNumeroCarga = 1; // the number the next stored load will carry
};

// The patient's record; nothing when it does not exist. A database failure is raised.
std::optional<TPacienteCarga> LeerPacienteCarga(TDM &dm, qint64 idPaciente);

// The reference the machine prints for the load: refPACIENTE, "-" and the load's number.
QString ReferenciaCarga(const TPacienteCarga &paciente);
