#pragma once

#include "ui/shell/TPantalla.h"

class QLabel;
class QPushButton;

// The category hub: the active category's description and the entries to the category's load
// and delivery (and, in developer mode, its patients).
class TFormCategoria : public TPantalla
{
    Q_OBJECT

public:
    explicit TFormCategoria(QWidget *parent = nullptr);

protected:
    void AlMostrar() override;

private:
    QLabel *m_lblCategoria;
    QPushButton *m_btnPacientes;
};
