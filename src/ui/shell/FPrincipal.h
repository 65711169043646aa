#pragma once

#include "core/data/uApp.h"
#include "ui/shell/TPantalla.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;

// The main screen: finds a patient by a typed or scanned identifier and opens the patient's
// hub, or opens the hub of a chosen category; pharmacists also reach the administration screens.
class TFormMain : public TPantalla
{
    Q_OBJECT

public:
    explicit TFormMain(QWidget *parent = nullptr);

    // The category panel is offered from machine software 2 on, and always for manual loads.
    static bool PanelCategoriasVisible(double versionMaquina, int tipoCarga);

protected:
    void AlMostrar() override;

private:
    void btnBuscarClick();
    void SeleccionarBusqueda();
    void btnSeleccionarClick();
    void btnAdministrarClick();
    void LlenarCategorias();

    QLineEdit *m_edtBuscar;
    QWidget *m_pnlCategorias;
    QComboBox *m_cmbCategorias;
    QPushButton *m_btnAdministrar;
    QList<TCodigos> m_codigos; // parallel to the items of m_cmbCategorias
};
