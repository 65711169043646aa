#pragma once

#include "core/patients/EntradaEditorTratamiento.h"
#include "core/patients/EstadoDosis.h"
#include "core/patients/GuardarLineaTratamiento.h"

#include <optional>

// The state of the treatment-line editor: its fields as typed, the blister choice and the dose
// controls, opened from the editor's inputs. The dialog shows it and hands back what the user
// typed; the rules of opening, switching the blister choice and checking live here.
class TEditorTratamiento
{
public:
    explicit TEditorTratamiento(TEntradaEditorTratamiento entrada);

    const TEntradaEditorTratamiento &Entrada() const { return m_entrada; }
    bool SPD() const { return m_entrada.SPD; }
    bool SoloLectura() const { return m_entrada.SoloLectura; }
    // The editor's caption, which is also the action of its audit row.
    QString Caption() const;

    // The fields as typed; dates as the application shows them (dd/mm/yyyy).
    QString Medico;
    QString Inicio;
    QString Fin;
    QString Notas;
    QString DosisLibre; // the dose of a line that does not go into the blister
    QString DosisEtiqueta; // "POSOLOGIA ETIQUETAS"
    TEstadoDosis Dosis;

    // "Si" / "No": every dose choice starts empty again; "Si" also empties the label dose.
    // The other fields keep what was typed.
    void CambiarSPD(bool si);

    // The checks of "ACEPTAR" in order (start, end, dose); nothing when the line may be stored.
    std::optional<TErrorEditor> Validar() const;
    // The line to store, once Validar has passed.
    TLineaEditada Linea() const;
    // Keeps what was stored in the inputs, for the opener to read.
    void Guardada(const TLineaEditada &linea, const TLineaGuardada &guardada);

private:
    void RellenarDosis(const QString &dosis, const QString &etiqueta);

    TEntradaEditorTratamiento m_entrada;
};
