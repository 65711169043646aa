// One workstation of the concurrent validation test: opens the database of the application
// directory with its own data module as the user given, says "ready", then for each line of its
// standard input answers "ok <value>" or "fail <message>".
// Arguments: directory, user.
// Commands:
//   abrir <idRecarga>    reads the load as the validation dialog does; the value is 1 when it exists
//   validar              validates the load read last; the value is TValidacionCarga::TResultado
#include "core/common/AppError.h"
#include "core/data/ManejadorErrores.h"
#include "core/data/uDM.h"
#include "core/loading/ValidacionCarga.h"

#include <QCoreApplication>

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList argumentos = QCoreApplication::arguments();
    if (argumentos.size() != 3)
        return 2;
    try {
        TDM dm {AppDirectory(argumentos.at(1))};
        const int usuario = argumentos.at(2).toInt();
        dm.Usuario = TUsuario {
                usuario, QStringLiteral("u%1").arg(usuario), QStringLiteral("U%1").arg(usuario), {}, true};
        QString ultimoError;
        ManejadorErrores::EstablecerPresentador(
                [&](const QString &mensaje) { ultimoError = mensaje.simplified(); });
        std::optional<TValidacionCarga> carga;
        std::printf("ready\n");
        std::fflush(stdout);
        std::string linea;
        while (std::getline(std::cin, linea)) {
            const QStringList orden
                    = QString::fromStdString(linea).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            QString respuesta = QStringLiteral("fail unknown command");
            try {
                if (orden.value(0) == QLatin1String("abrir")) {
                    carga.emplace(orden.value(1).toLongLong());
                    respuesta = QStringLiteral("ok %1").arg(carga->existe() ? 1 : 0);
                } else if (orden.value(0) == QLatin1String("validar") && carga) {
                    ultimoError.clear();
                    const TValidacionCarga::TResultado resultado = carga->Validar();
                    respuesta = resultado == TValidacionCarga::TResultado::Fallo
                            ? QStringLiteral("fail ") + ultimoError
                            : QStringLiteral("ok %1").arg(int(resultado));
                }
            } catch (const AppError &error) {
                respuesta = QStringLiteral("fail ") + error.message().simplified();
            }
            std::printf("%s\n", qPrintable(respuesta));
            std::fflush(stdout);
        }
    } catch (const AppError &error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        return 1;
    }
    return 0;
}
