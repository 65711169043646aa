#pragma once

#include <QDate>

class TDM;

// The start date to propose for a category's loads: the start of the category's latest week while
// an active patient of the category (by reference) still has no load for it and has treatment lines
// in force around it; otherwise the day after the latest load of the category ends. Today when the
// category has no load. A database failure is raised.
QDate FechaCargaCategoria(TDM &dm, int codCategoria);
