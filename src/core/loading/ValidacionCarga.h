#pragma once

#include "core/loading/DatosEtiquetas.h"
#include "core/loading/RepartoCeldas.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// What the validation dialog heads a load with.
struct TCabeceraValidacion
{
    qint64 idRecarga = 0;
    int idPaciente = 0;
    int refRecarga = 0;
    QDateTime FechaRealizado;
    QDate FechaInicio;
    QDate FechaFin;
    QDateTime FechaValidado;
    QDateTime FechaEntrega;
    QDateTime FechaRetornado;
    QString Paciente; // the patient's name
    QString RefPaciente;
    QString Preparador; // the preparing user's name
    QString Validador; // the validating user's name; empty while not validated

    bool Validada() const { return FechaValidado.isValid(); }
};

// One medication of the blister with its pills over the whole load.
struct TFilaMedicacionBlister
{
    QString Cantidad; // "," as decimal separator
    QString Medicamento;
};

// One lot in one cell, as the cell's contents list it.
struct TFilaAlveolo
{
    QString Cantidad; // pills, "," as decimal separator
    QString Medicamento; // the product's number, three blanks and the name
    QString Aspecto; // the appearance, for a medication of the blister list
    QString Lote;
};

// A stored load as the pharmacist checks it against the filled blister before it leaves the
// pharmacy: the header, the medication of the blister with its totals, and for each of the 28
// cells (index 0 is Monday breakfast, as the week grid) the units the wheel shows and the lots
// the cell holds. Read through the data module; validating records the logged-in user once.
class TValidacionCarga
{
public:
    enum class TResultado {
        Validada, // validated now, with its audit row
        YaValidada, // validated before (here or at another workstation): nothing changed
        NoExiste, // the load was deleted meanwhile
        Fallo, // the database refused; reported, nothing changed
    };

    // Reads the load; existe() is false when no load has the identifier.
    explicit TValidacionCarga(qint64 idRecarga);

    bool existe() const { return m_existe; }
    const TCabeceraValidacion &Cabecera() const { return m_cabecera; }
    const TDatosEtiquetas &Datos() const { return m_datos; }

    // One row per medication of the blister (its first line), with the pills of all its lines.
    QList<TFilaMedicacionBlister> MedicacionBlister() const;
    // The units of the portion size in the cell; nothing for a cell the load leaves empty.
    std::optional<int> UnidadesCelda(int celda) const;
    QList<TFilaAlveolo> Alveolo(int celda) const;
    // The day and the time of day of the cell, in the current language.
    static QString NombreCelda(int celda);

    // The audit row of opening the load for validation.
    void AuditarConsulta() const;
    // Records the logged-in user and now as the load's validator, only while the load is not
    // validated: of two workstations validating one load, one validates it and the other is told
    // it was validated already. The header is read again either way.
    TResultado Validar();

private:
    void LeerCabecera();

    qint64 m_idRecarga;
    bool m_existe = false;
    TCabeceraValidacion m_cabecera;
    TDatosEtiquetas m_datos;
    TCeldas m_celdas;
};
