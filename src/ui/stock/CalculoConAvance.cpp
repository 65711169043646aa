#include "ui/stock/CalculoConAvance.h"

#include "core/common/Clock.h"
#include "core/data/ManejadorErrores.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "ui/shell/Mensajes.h"

#include <QApplication>
#include <QProgressDialog>

TResultadoNecesidades CalcularConAvance(QWidget *padre, int semanas,
                                        const QList<TPacienteNecesidad> &pacientes, bool conStock)
{
    QProgressDialog avance(Traducir(QStringLiteral("MSG_CALCULANDO_NECESIDADES"),
                                    QStringLiteral("CALCULANDO NECESIDADES...")),
                           Traducir(QStringLiteral("STR_CANCELAR"), QStringLiteral("CANCELAR")), 0, 1, padre);
    avance.setObjectName(QStringLiteral("DlgAvanceNecesidades"));
    avance.setWindowModality(Qt::WindowModal); // the screen cannot start a second calculation meanwhile
    avance.setMinimumDuration(300);
    TResultadoNecesidades resultado;
    ManejadorErrores::Proteger([&] {
        resultado = CalcularResultadoNecesidades(DM(), semanas, pacientes, conStock, Clock::today(),
                                                 [&avance](int hechos, int total) {
                                                     avance.setMaximum(total);
                                                     avance.setValue(hechos);
                                                     QApplication::processEvents();
                                                     return !avance.wasCanceled();
                                                 });
    });
    avance.reset();
    if (resultado.interrumpido)
        MostrarAviso(
                Traducir(QStringLiteral("MSG_NECESIDADES_INTERRUMPIDO"),
                         QStringLiteral("CALCULO INTERRUMPIDO: LAS NECESIDADES SOLO INCLUYEN LOS PACIENTES "
                                        "CALCULADOS")));
    return resultado;
}
