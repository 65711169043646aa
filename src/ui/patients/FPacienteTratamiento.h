#pragma once

#include "core/patients/TratamientoPaciente.h"
#include "ui/shell/TPantalla.h"

#include <functional>

class QLabel;
class TCabeceraPaciente;
class QTableWidget;
class TFrameStockPaciente;
class TListadoRejilla;
class TPanelRecetas;

// The active patient's treatment: one row per treatment line with its code, medication, doctor,
// dose and stock on hand, beside the patient's stock panel and the prescriptions panel. A
// pharmacist changes or deletes lines here; the treatment sheet is printed from here; leaving
// for the history or back to the patient stores the treatment as a new version when it changed.
class TFormPacienteTratamiento : public TPantalla
{
    Q_OBJECT

public:
    enum Columna { kColCodigo, kColMedicamento, kColMedico, kColDosis, kColCantidad, kColumnas };

    explicit TFormPacienteTratamiento(QWidget *parent = nullptr);

    // Opens the line editor on a line; true when the line was stored. Set by the application.
    std::function<bool(const TFilaTratamiento &)> OnEditarLinea;

    TFrameStockPaciente &Stock() const { return *m_stock; }
    TPanelRecetas &Recetas() const { return *m_panelRecetas; }
    // The lines as listed, in the grid's order.
    const QList<TFilaTratamiento> &Lineas() const { return m_lineas; }
    // Re-reads the lines and selects the line of the medication, if it is there (0: the first).
    void Refrescar(qint64 idMedicamento = 0);
    // The line selected in the grid; nothing when the list is empty.
    std::optional<TFilaTratamiento> LineaSeleccionada() const;

    void btnIntroducirClick();
    void btnModificarClick();
    void btnBorrarClick();
    void btnImprimirClick();
    void btnHistoricoClick();
    void btnVolverClick();

signals:
    // "VOLVER": back to the patient's screen, named by the patient's reference.
    void volver(const QString &refPaciente);

protected:
    void AlMostrar() override;

private:
    void MostrarCabecera();
    void LineaCambiada();
    // Stores the treatment as a new version when it changed since the last one.
    void GuardarVersion();

    TCabeceraPaciente *m_cabecera;
    QTableWidget *m_grdTratamiento;
    TListadoRejilla *m_listado;
    TFrameStockPaciente *m_stock;
    QWidget *m_recetas;
    TPanelRecetas *m_panelRecetas;
    QList<TFilaTratamiento> m_lineas;
    QString m_refPaciente;
};
