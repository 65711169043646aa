#include "app/Pantallas.h"

#include "core/data/uDM.h"
#include "ui/loading/FPacienteCarga.h"
#include "ui/shell/Destinos.h"
#include "ui/shell/FMain.h"
#include "ui/shell/FPaciente.h"
#include "ui/shell/FPrincipal.h"
#include "ui/stock/FDlgInventarioMedicamento.h"
#include "ui/users/FUsuarios.h"

namespace {

// The load screen was left: it starts afresh next time, and the patient's hub opens for the
// patient it was loading.
void VolverDeCargaPaciente(const QString &refPaciente)
{
    FormInicio().CerrarPantallas<TFormPacienteCarga>();
    if (DM().PacienteActivoPorReferencia(refPaciente))
        FormInicio().AbrirPantalla<TFormPaciente>();
    else
        FormInicio().AbrirPantalla<TFormMain>();
}

void AbrirCargaPaciente()
{
    TFormPacienteCarga *pantalla = FormInicio().AbrirPantalla<TFormPacienteCarga>();
    // A screen created by this call has no outward actions yet; a reused one keeps them.
    if (!pantalla->OnStockMedicamento) {
        pantalla->OnStockMedicamento = [pantalla](qint64 idPaciente, qint64 idMedicamento) {
            TDlgInventarioMedicamento dialogo(idPaciente, idMedicamento, pantalla);
            dialogo.exec();
        };
        QObject::connect(pantalla, &TFormPacienteCarga::volver, pantalla, &VolverDeCargaPaciente,
                         Qt::QueuedConnection);
    }
    pantalla->AbrirCargaPaciente();
}

} // namespace

void RegistrarPantallas()
{
    RegistrarDestino(TDestino::CargaPaciente, &AbrirCargaPaciente);
    RegistrarDestino(TDestino::Usuarios, [] { FormInicio().AbrirPantalla<TFormUsuarios>(); });
}
