#pragma once

#include "ui/shell/TPantalla.h"

class QLabel;

// The category hub: the active category's description and the entries to the category's load,
// delivery and patients (needs and administration charts).
class TFormCategoria : public TPantalla
{
    Q_OBJECT

public:
    explicit TFormCategoria(QWidget *parent = nullptr);

protected:
    void AlMostrar() override;

private:
    QLabel *m_lblCategoria;
};
