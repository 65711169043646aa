#pragma once

#include "ui/shell/TDlgMensaje.h"

#include <exception>
#include <functional>

// A notice in dark grey ("AVISO") before work that takes long: "ACEPTAR" (Enter) runs the work
// under the wait cursor and then closes the notice; closing it any other way skips the work.
class TDlgQuestion : public TDlgMensaje
{
    Q_OBJECT

public:
    TDlgQuestion(const QString &texto, std::function<void()> alAceptar, QWidget *parent = nullptr);

    // Shows the notice modally; what the accepted work threw is thrown here, once the notice is
    // closed, so it never crosses the dialog's event loop.
    void Mostrar();

    void accept() override;

private:
    std::function<void()> m_alAceptar;
    std::exception_ptr m_error;
};
