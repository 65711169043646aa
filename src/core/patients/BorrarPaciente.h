#pragma once

#include <QString>

class TDM;

// Deletes a patient who has neither loads nor treatment lines: the patient's treatment history
// (SPDHIST), stock rows (Inventario), prescriptions (Receta) and the record itself go in one
// transaction under the patient's lock, in which both checks are made again (another workstation
// may have stored a load meanwhile). Only once that is committed is the patient's folder of files
// taken away, so a failed delete leaves rows and files as they were; then the deletion is audited
// (BAJA) under the given action text, with the identifier of the patient who no longer exists.
// A deleted patient who was the session's active patient is no longer active.
class TBorradoPaciente
{
public:
    enum class TResultado { Borrado, ConCargas, ConTratamientos, NoExiste };

    explicit TBorradoPaciente(TDM &dm);

    // The folder goes to the desktop's trash when it takes it; otherwise, or when this is switched
    // off, to a dated folder under "BORRADOS" in the files folder.
    void UsarPapelera(bool usar) { m_papelera = usar; }

    // Why the patient cannot be deleted: loads first, then treatment lines; Borrado when it can.
    TResultado Comprobar(qint64 idPaciente);
    // The message of a refusal; empty for Borrado and NoExiste.
    static QString Mensaje(TResultado resultado);

    // A database failure throws with nothing deleted. Not to be called inside an outer
    // transaction: the folder must go only once the deletion is committed.
    TResultado Borrar(qint64 idPaciente, const QString &accion);

    // Where deleted patients' folders go when not to the trash: "BORRADOS" in the files folder.
    static QString CarpetaBorrados(const TDM &dm);

private:
    void RetirarCarpeta(qint64 idPaciente);
    QString CarpetaFechada(qint64 idPaciente) const;

    TDM &m_dm;
    bool m_papelera = true;
};
