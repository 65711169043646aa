#pragma once

#include "core/reports/ReportDocument.h"

#include <QFont>

// The Qt font of a report font. Hinting is off so that text measures the same at every
// resolution: what fits on the screen preview fits on paper.
QFont toQFont(const ReportFont &font);
