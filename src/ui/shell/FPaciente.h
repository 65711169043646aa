#pragma once

#include "ui/shell/TPantalla.h"

class QLabel;

// The patient hub: the active patient's reference and name, and the entries to the patient's
// card, treatment, load, delivery and return.
class TFormPaciente : public TPantalla
{
    Q_OBJECT

public:
    explicit TFormPaciente(QWidget *parent = nullptr);

protected:
    void AlMostrar() override;

private:
    void btnRetornoClick();
    void btnVolverClick();

    QLabel *m_lblReferencia;
    QLabel *m_lblNombre;
};
