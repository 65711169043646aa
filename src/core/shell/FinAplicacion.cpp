#include "core/shell/FinAplicacion.h"

#include <QCoreApplication>

namespace {

std::function<void()> &Terminar()
{
    static std::function<void()> terminar;
    return terminar;
}

} // namespace

void TerminarAplicacion()
{
    if (Terminar())
        Terminar()();
    else
        QCoreApplication::exit(0);
}

void EstablecerFinAplicacion(std::function<void()> terminar)
{
    Terminar() = std::move(terminar);
}
