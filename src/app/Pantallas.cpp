#include "app/Pantallas.h"

#include "core/data/uDM.h"
#include "ui/loading/FPacienteCarga.h"
#include "ui/patients/FPacienteTratamiento.h"
#include "ui/shell/Destinos.h"
#include "ui/shell/FMain.h"
#include "ui/shell/FPaciente.h"
#include "ui/shell/FPrincipal.h"
#include "ui/stock/FDlgInventarioMedicamento.h"
#include "ui/users/FUsuarios.h"

namespace {

// The patient's hub for the patient a screen was working on; the main screen when that patient
// is gone.
void VolverAlPaciente(const QString &refPaciente)
{
    if (DM().PacienteActivoPorReferencia(refPaciente))
        FormInicio().AbrirPantalla<TFormPaciente>();
    else
        FormInicio().AbrirPantalla<TFormMain>();
}

// The load screen was left: it starts afresh next time.
void VolverDeCargaPaciente(const QString &refPaciente)
{
    FormInicio().CerrarPantallas<TFormPacienteCarga>();
    VolverAlPaciente(refPaciente);
}

void AbrirTratamientoPaciente()
{
    TFormPacienteTratamiento *pantalla = FormInicio().AbrirPantalla<TFormPacienteTratamiento>();
    if (!pantalla->OnEditarLinea) {
        pantalla->OnEditarLinea = [](const TFilaTratamiento &) { return false; };
        QObject::connect(pantalla, &TFormPacienteTratamiento::volver, pantalla, &VolverAlPaciente,
                         Qt::QueuedConnection);
    }
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
    RegistrarDestino(TDestino::TratamientoPaciente, &AbrirTratamientoPaciente);
    RegistrarDestino(TDestino::Usuarios, [] { FormInicio().AbrirPantalla<TFormUsuarios>(); });
}
