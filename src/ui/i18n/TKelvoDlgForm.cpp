#include "ui/i18n/TKelvoDlgForm.h"

TKelvoDlgForm::TKelvoDlgForm(QWidget *parent)
    : QDialog(parent)
    , m_ventana(*this, TKelvoVentana::TTipo::Dialogo)
{ }
