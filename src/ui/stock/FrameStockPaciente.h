#pragma once

#include <QWidget>

#include <functional>
#include <optional>

class QPushButton;
class TGridStock;
struct TEntradaStock;
struct TNuevaLineaTratamiento;

// The stock panel of the patient's treatment screen: the active patient's stock rows with
// "INTRODUCIR MEDICAMENTO", "MODIFICAR" (or a double click on a row) and "BORRAR". Each change
// keeps the treatment line's summary, writes its audit row with the hosting screen's caption and
// is announced with StockCambiado so that the screen re-reads its treatment lines. With the
// United Kingdom as country the panel stays hidden and reads nothing.
//
// The panel shows all the patient's stock, or only the stock of the treatment line selected on
// the screen; the button that switches between them ("ACTUAL" / "COMPLETO") is kept hidden.
class TFrameStockPaciente : public QWidget
{
    Q_OBJECT

public:
    explicit TFrameStockPaciente(QWidget *parent = nullptr);

    // The treatment-line editor the screen opens when a pharmacist enters stock of a medication
    // the patient has no line for; true when a line was stored.
    void EstablecerEditorLinea(std::function<bool(const TNuevaLineaTratamiento &)> editor);

    // Re-reads the active patient's stock, keeping the selected row.
    void Refrescar();
    // The medication of the treatment line selected on the screen (0: none).
    void SeleccionarLinea(qint64 idMedicamento);
    // "DISPENSAR" of a prescription: enters a box of its medication. True when a row was
    // entered. `guardar`, when given, stores the row (with the prescription's removal).
    bool Dispensar(qint64 idMedicamento, std::function<qint64(const TEntradaStock &)> guardar = {});

    void btnIntroducirClick();
    void btnModificarClick();
    void btnBorrarClick();
    void btnCompletoClick();

signals:
    // The patient's stock of the medication changed: the treatment lines must be re-read and
    // the medication's line selected.
    void StockCambiado(qint64 idMedicamento);

private:
    // Enters a box (of the expected medication, 0: any); the medication of the new row, nothing
    // when no row was entered.
    std::optional<qint64> Introducir(qint64 esperado,
                                     std::function<qint64(const TEntradaStock &)> guardar = {});
    // The caption of the screen that hosts the panel, in front of every audit action.
    QString Caption() const;

    TGridStock *m_grdStock;
    QPushButton *m_btnCompleto;
    bool m_soloLinea = false;
    qint64 m_medicamentoLinea = 0;
    std::function<bool(const TNuevaLineaTratamiento &)> m_editorLinea;
};
