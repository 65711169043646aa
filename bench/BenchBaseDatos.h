#pragma once

#include "core/data/uDM.h"
#include "core/shell/AppDirectory.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <functional>

// The main of a benchmark on an embedded database: a new data.dat in a temporary folder, filled
// by `llenar` before the benchmarks run, reachable through `dm` while they run.
inline int EjecutarConBaseDatos(int argc, char **argv, TDM *&dm, const std::function<void(TDM &)> &llenar)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir carpeta;
    const AppDirectory directorio(carpeta.path());
    TDM base(directorio);
    llenar(base);
    dm = &base;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    dm = nullptr;
    return 0;
}
