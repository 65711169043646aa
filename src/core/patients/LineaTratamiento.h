#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

// The versioned fields of one treatment line, as stored in SPD and copied into SPDHIST. Lot,
// expiry and quantity are stock figures and are not versioned.
struct TLineaTratamiento
{
    qint64 id = 0;
    qint64 idMedicamento = 0;
    QVariant Inicio; // a QDateTime, or null
    QVariant Fin;
    QVariant Dosis;
    QVariant DosisEtiqueta;
    QVariant Medico;
    QVariant Notas;
    QVariant SPDP;
    int Iucarga = 0; // versions only

    bool CambiaPosologia(const TLineaTratamiento &otra) const;
    bool CambiaFechas(const TLineaTratamiento &otra) const;
    bool CambiaOtros(const TLineaTratamiento &otra) const; // doctor or notes
    bool CambiaSPD(const TLineaTratamiento &otra) const;
    // Equal in every compared field: dates, doctor, notes, label dose, dose and override; nulls
    // are equal only to nulls.
    bool operator==(const TLineaTratamiento &otra) const;
};

// The calculated columns of the treatment table.
namespace ColumnasTratamiento {
// Whether the line goes into the blister: its override when set, else the medication's flag.
bool Kelvo(const QVariant &spdp, const QVariant &spdMedicamento);
// The dose to show: the label dose when not empty, else the dose.
QString DosisVer(const QString &dosisEtiqueta, const QString &dosis);
} // namespace ColumnasTratamiento
