#pragma once

#include "core/stock/CargaRetorno.h"
#include "ui/shell/TPantalla.h"

#include <optional>

class QCalendarWidget;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class TBlisterRetorno;

// "RETORNOS PACIENTES": the doses that came back in a blister of the active patient. Opened on the
// patient's latest load; another load of the patient is chosen by its blister code or its number.
// Cells are marked and unmarked in memory; the load's returns are stored as a whole before another
// load is shown, before printing and when leaving, each time after the return date is checked.
// Returns never change the patient's stock.
class TFormPacienteRetorno : public TPantalla
{
    Q_OBJECT

public:
    enum Columna { kColToma, kColDia, kColMotivo, kColumnas };

    explicit TFormPacienteRetorno(QWidget *parent = nullptr);

    // The load shown with its marks as they stand; nothing when the patient has no load.
    const std::optional<TCargaRetorno> &Carga() const { return m_carga; }

    void CeldaClick(int toma);
    void btnBuscarClick();
    void btnImprimirClick();
    void btnVolverClick();

signals:
    // "VOLVER": the returns are stored; back to the patient's screen, named by its reference.
    void volver(const QString &refPaciente);

protected:
    void AlMostrar() override;

private:
    void MostrarPaciente();
    void MostrarCarga(const std::optional<qint64> &idRecarga);
    void MostrarTomas();
    // The return date as the user left it: errors shown, an empty date confirmed. True when the
    // returns may be stored; the load then takes the date read.
    bool ValidarFechaRetorno();
    // Stores the load's returns; false, with the reason shown, when they were not stored.
    bool Guardar();
    // Checks the date and stores; true when nothing stops the action that asked.
    bool ValidarYGuardar();
    void AuditarToma(int toma, int operacion);
    void btnCalendarioClick();

    QLabel *m_lblReferencia;
    QLabel *m_lblNombre;
    QLabel *m_lblFechaAlta;
    QLabel *m_lblPreparador;
    QLabel *m_lblRealizado;
    QLabel *m_lblInicio;
    QLabel *m_lblFin;
    QLabel *m_lblHumedad;
    QLabel *m_lblTemperatura;
    QLineEdit *m_edtFechaRetorno;
    QPushButton *m_btnCalendario;
    QCalendarWidget *m_calendario;
    QLineEdit *m_edtCodigo;
    TBlisterRetorno *m_blister;
    QTableWidget *m_grdTomas;
    QPushButton *m_btnImprimir;
    QString m_refPaciente;
    std::optional<TCargaRetorno> m_carga;
};
