#pragma once

#include "core/patients/EntradaEditorTratamiento.h"
#include "core/patients/InformeTratamiento.h"
#include "core/patients/TratamientoPaciente.h"
#include "core/patients/VersionesTratamiento.h"
#include "ui/shell/TPantalla.h"

#include <functional>
#include <optional>

class QCheckBox;
class QTableWidget;
class TCabeceraPaciente;
class TListadoRejilla;

// The stored versions of the active patient's treatment, newest first (only those used by a load
// with "VER SOLO CARGA"), and the lines of the version selected. A pharmacist looks at a line in the
// line editor, read-only; the treatment sheet of a version and the change and usage reports are
// printed from here. Nothing here writes to the treatment or its versions.
class TFormPacienteTratamientoHist : public TPantalla
{
    Q_OBJECT

public:
    enum ColumnaVersion { kColVersion, kColFecha, kColUsuario, kColCarga, kColumnasVersion };
    enum ColumnaLinea { kColCodigo, kColMedicamento, kColMedico, kColDosis, kColumnasLinea };

    explicit TFormPacienteTratamientoHist(QWidget *parent = nullptr);

    // Shows a line of a version; the read-only line editor unless replaced.
    std::function<bool(const TEntradaEditorTratamiento &)> OnVerLinea;

    const QList<TVersionTratamiento> &Versiones() const { return m_versiones; }
    const QList<TFilaTratamiento> &Lineas() const { return m_lineas; }
    std::optional<TVersionTratamiento> VersionSeleccionada() const;

    void RefrescarVersiones();
    void VerLinea(int fila);
    void btnTratamientoClick();
    void btnHistoricoClick();
    // The two reports of the report choice.
    void ImprimirCambios();
    void ImprimirUso();

signals:
    // "ACTUAL": back to the treatment screen, without storing a version.
    void actual();
    // "VOLVER": back to the patient's screen, named by the patient's reference.
    void volver(const QString &refPaciente);

protected:
    void AlMostrar() override;

private:
    void VersionCambiada();

    TCabeceraPaciente *m_cabecera;
    QCheckBox *m_chkSoloCarga;
    QTableWidget *m_grdVersiones;
    QTableWidget *m_grdLineas;
    TListadoRejilla *m_listado;
    QList<TVersionTratamiento> m_versiones;
    QList<TFilaTratamiento> m_lineas;
    QString m_refPaciente;
    TPacienteInforme m_paciente;
};
