#pragma once

#include <optional>

// A screen whose work closing the application must not cut short silently (a load running).
class TTrabajoEnCurso
{
public:
    virtual ~TTrabajoEnCurso() = default;

    // Nothing when no such work runs; otherwise asks the user in the work's own words and says
    // whether the user chose to leave (the work is then stopped) or to stay.
    virtual std::optional<bool> SalirDeLaAplicacion() = 0;
};
