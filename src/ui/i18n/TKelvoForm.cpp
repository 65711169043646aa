#include "ui/i18n/TKelvoForm.h"

TKelvoForm::TKelvoForm(QWidget *parent)
    : QWidget(parent)
    , m_ventana(*this, TKelvoVentana::TTipo::Pantalla, [this] { return VentanaATraducir(); })
{ }
