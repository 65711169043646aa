#pragma once

#include "core/patients/EstadoDosis.h"

#include <QWidget>

#include <array>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTableWidget;

// The dose controls of the treatment-line editor, shown on one TEstadoDosis: the "DIAS" page
// (a counter and a fraction per time slot, and the "PERIODICIDAD" panels) and the "SEMANAL" page
// (the 4 x 7 table with its counter and fraction). The rules live in the state; this panel only
// shows it and reads back what the user typed.
class TPanelDosis : public QWidget
{
    Q_OBJECT

public:
    TPanelDosis(TEstadoDosis &estado, QWidget *parent);

    // Controls from the state, and the state from the controls.
    void Mostrar();
    void Leer();
    // Puts the focus on the field a failed check names.
    void Enfocar(const TErrorEditor &error);

private:
    struct TContador
    {
        QLineEdit *unidades;
        QComboBox *fraccion;
    };

    QWidget *CrearPaginaDias();
    QWidget *CrearPaginaSemanal();
    QWidget *CrearPanelDiaria();
    QWidget *CrearPanelSemanal();
    QWidget *CrearPanelMensual();
    QWidget *Contador(const char *nombre, const QString &titulo, TContador &contador,
                      const std::function<void(bool)> &cambiar);
    // Runs a change of the state on what the user typed, then shows the result.
    void Cambiar(const std::function<void()> &cambio);
    void CeldaDobleClick(int toma, int dia);

    TEstadoDosis &m_estado;
    QButtonGroup *m_modo;
    QStackedWidget *m_paginas;
    std::array<TContador, kTomasDia> m_tomas;
    QRadioButton *m_rbDiaria;
    QRadioButton *m_rbSemanal;
    QRadioButton *m_rbMensual;
    QStackedWidget *m_periodicidad;
    QButtonGroup *m_opcionDiaria;
    QRadioButton *m_rbCada;
    QLineEdit *m_edtCadaDias;
    QRadioButton *m_rbPorCada;
    QLineEdit *m_edtDiasToma;
    QLineEdit *m_edtDiasDescanso;
    QLineEdit *m_edtCadaSemanas;
    std::array<QCheckBox *, kDiasTabla> m_dias;
    QButtonGroup *m_opcionMensual;
    QRadioButton *m_rbElDia;
    QLineEdit *m_edtDiaMes;
    QLineEdit *m_edtCadaMesesDia;
    QRadioButton *m_rbEl;
    QComboBox *m_cmbOrdinal;
    QComboBox *m_cmbDiaPosicion;
    QLineEdit *m_edtCadaMesesPosicion;
    QTableWidget *m_grdTabla;
    TContador m_tabla;
};
