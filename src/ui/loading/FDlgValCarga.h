#pragma once

#include "core/loading/ValidacionCarga.h"
#include "ui/i18n/TKelvoDlgForm.h"

#include <QHash>

class QLabel;
class QPushButton;
class QTableWidget;
class TRuedaBlister;

// "Validacion Cargas": a stored load shown as the blister itself, for the pharmacist to check the
// filled blister cell by cell before validating it. The wheel shows the units of each cell; the
// cell pointed at or clicked is drawn red and its lots are listed beside the medication of the
// whole blister. "VALIDAR" records the pharmacist once, "IMPRIMIR" shows the complete label
// sheet, "SALIR" closes.
class TDlgValCarga : public TKelvoDlgForm
{
    Q_OBJECT

public:
    explicit TDlgValCarga(TValidacionCarga carga, QWidget *parent = nullptr);

    const TValidacionCarga &Carga() const { return m_carga; }

    void MostrarCelda(int celda);
    void btnValidarClick();
    void btnImprimirClick();

private:
    void MostrarCabecera();
    void MostrarMedicacion();
    QLabel *Valor(const char *nombre);

    TValidacionCarga m_carga;
    TRuedaBlister *m_rueda;
    QTableWidget *m_grdMedicacion;
    QTableWidget *m_grdAlveolo;
    QLabel *m_lblCelda;
    QPushButton *m_btnValidar;
    QHash<QString, QLabel *> m_valores;
};

// Opens the validation of a stored load modally: nothing when no load has the identifier. The
// load's patient becomes the active patient (the audit rows of the dialog name it) and the
// opening is audited.
void ValidarCarga(qint64 idRecarga, QWidget *parent = nullptr);
