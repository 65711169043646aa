#pragma once

class QWidget;

// Applying the catalogue to a window and capturing a window's texts into it. A window is
// known to the catalogue by its object name (the form name of its keys); its components are
// the named objects below it, except those of another window shown inside it (a screen in the
// main window's working area), which has lines of its own.

// Applies every catalogue line of the window, in list order (a later line for the same
// property wins). Lines naming a component or property the window lacks are skipped.
void TraducirForm(QWidget &ventana);

// Adds the window's texts that have no line yet and writes the catalogue file. A text
// beginning with "-" or with three blanks ends the capture of that component. Failing to
// write the file throws AppError.
void CapturarForm(QWidget &ventana);
