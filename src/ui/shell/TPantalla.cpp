#include "ui/shell/TPantalla.h"

#include <QShowEvent>

TPantalla::TPantalla(QWidget *parent)
    : TKelvoForm(parent)
{ }

void TPantalla::showEvent(QShowEvent *evento)
{
    TKelvoForm::showEvent(evento);
    if (!evento->spontaneous())
        AlMostrar();
}
