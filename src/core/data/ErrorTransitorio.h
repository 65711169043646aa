#pragma once

#include "core/common/AppError.h"

// A database failure that passes by itself: the database was busy or locked by another
// workstation, a deadlock between two workstations was broken, or a wait for a lock ran out.
// Nothing of the failed transaction was kept, so its work may run again whole.
class ErrorTransitorio : public AppError
{
public:
    using AppError::AppError;
};
