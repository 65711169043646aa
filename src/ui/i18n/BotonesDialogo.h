#pragma once

#include <functional>

class QDialog;
class QHBoxLayout;

// The row every input dialog ends with: "ACEPTAR" (the default button, so Enter accepts) runs
// `aceptar`, which closes the dialog only when its checks pass; "CANCELAR" rejects the dialog.
QHBoxLayout *BotonesAceptarCancelar(QDialog *dialogo, std::function<void()> aceptar);
