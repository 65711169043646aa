#pragma once

#include <functional>

// Ends the application at once, as after a restore of the database: the event loop stops and
// the process ends through its usual end (the single-instance block released, the shared
// objects freed), without the main window's closing question and shutdown steps.
void TerminarAplicacion();

// Who ends it: the event loop by default; tests install a function that records the request.
// An empty function restores the default.
void EstablecerFinAplicacion(std::function<void()> terminar);
