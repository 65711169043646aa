#include "app/Pantallas.h"

#include "core/common/Clock.h"
#include "core/data/uDM.h"
#include "core/shell/TextosCabecera.h"
#include "ui/audit/FAuditoria.h"
#include "ui/data/FDlgSelectNetwork.h"
#include "ui/dispenser/FParametrosMaquina.h"
#include "ui/i18n/FPantallaTraducciones.h"
#include "ui/i18n/TKelvoVentana.h"
#include "ui/loading/FCargas.h"
#include "ui/loading/FCategoriaCarga.h"
#include "ui/loading/FPacienteCarga.h"
#include "ui/masters/FCategorias.h"
#include "ui/patients/FCategoriaPacientes.h"
#include "ui/patients/FDlgTratamientoEditarV2.h"
#include "ui/patients/FFichaPaciente.h"
#include "ui/patients/FListados.h"
#include "ui/patients/FPacienteFicha.h"
#include "ui/patients/FPacienteTratamiento.h"
#include "ui/patients/FPacienteTratamientoHist.h"
#include "ui/patients/FPacientes.h"
#include "ui/patients/ImprimirHojaAdministracion.h"
#include "ui/reports/Fpreview.h"
#include "ui/settings/FPreferencias.h"
#include "ui/shell/Destinos.h"
#include "ui/shell/FCategoria.h"
#include "ui/shell/FMain.h"
#include "ui/shell/FPaciente.h"
#include "ui/shell/FPrincipal.h"
#include "ui/stock/FCTrazabilidad.h"
#include "ui/stock/FCategoriaEntrega.h"
#include "ui/stock/FDlgInventarioMedicamento.h"
#include "ui/stock/FNecesidades.h"
#include "ui/stock/FPacienteEntrega.h"
#include "ui/stock/FPacienteRetorno.h"
#include "ui/stock/FrameStockPaciente.h"
#include "ui/stock/TAltaStock.h"
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

void AbrirListaPacientes()
{
    TFormPacientes *pantalla = FormInicio().AbrirPantalla<TFormPacientes>();
    if (!pantalla->OnNuevoPaciente) {
        pantalla->OnNuevoPaciente = [pantalla] { return FichaNuevoPaciente(pantalla); };
        pantalla->OnEditarPaciente
                = [pantalla](qint64 idPaciente) { return FichaEditarPaciente(idPaciente, pantalla); };
    }
}

// The card is created afresh each time it is opened; leaving it goes back to the patient's hub.
void AbrirFichaPaciente()
{
    TFormFichaPaciente *pantalla = FormInicio().AbrirPantalla<TFormFichaPaciente>();
    if (pantalla->property("conectada").toBool())
        return;
    pantalla->setProperty("conectada", true);
    QObject::connect(
            pantalla, &TFormFichaPaciente::volver, pantalla,
            [] { FormInicio().AbrirPantalla<TFormPaciente>(); }, Qt::QueuedConnection);
}

void AbrirEntregaPaciente()
{
    TFormPacienteEntrega *pantalla = FormInicio().AbrirPantalla<TFormPacienteEntrega>();
    if (!pantalla->property("conectada").toBool()) {
        pantalla->setProperty("conectada", true);
        QObject::connect(pantalla, &TFormPacienteEntrega::volver, pantalla, &VolverAlPaciente,
                         Qt::QueuedConnection);
    }
}

void AbrirEntregaCategoria()
{
    TFormCategoriaEntrega *pantalla = FormInicio().AbrirPantalla<TFormCategoriaEntrega>();
    if (!pantalla->property("conectada").toBool()) {
        pantalla->setProperty("conectada", true);
        QObject::connect(
                pantalla, &TFormCategoriaEntrega::volver, pantalla,
                [] { FormInicio().AbrirPantalla<TFormCategoria>(); }, Qt::QueuedConnection);
    }
}

void AbrirRetornoPaciente()
{
    TFormPacienteRetorno *pantalla = FormInicio().AbrirPantalla<TFormPacienteRetorno>();
    if (!pantalla->property("conectada").toBool()) {
        pantalla->setProperty("conectada", true);
        QObject::connect(pantalla, &TFormPacienteRetorno::volver, pantalla, &VolverAlPaciente,
                         Qt::QueuedConnection);
    }
}

void AbrirHistorialTratamiento()
{
    TFormPacienteTratamientoHist *pantalla = FormInicio().AbrirPantalla<TFormPacienteTratamientoHist>();
    if (!pantalla->property("conectada").toBool()) {
        pantalla->setProperty("conectada", true);
        QObject::connect(
                pantalla, &TFormPacienteTratamientoHist::actual, pantalla,
                [] { FormInicio().AbrirPantalla<TFormPacienteTratamiento>(); }, Qt::QueuedConnection);
        QObject::connect(pantalla, &TFormPacienteTratamientoHist::volver, pantalla, &VolverAlPaciente,
                         Qt::QueuedConnection);
    }
}

void AbrirTratamientoPaciente()
{
    TFormPacienteTratamiento *pantalla = FormInicio().AbrirPantalla<TFormPacienteTratamiento>();
    if (!pantalla->OnEditarLinea) {
        pantalla->OnEditarLinea = [pantalla](const TFilaTratamiento &linea) {
            return EditarLineaTratamiento(EntradaDeFila(linea), pantalla);
        };
        // Stock of a medication the treatment lacks is entered together with its new line.
        pantalla->Stock().EstablecerEditorLinea([pantalla](const TNuevaLineaTratamiento &nueva) {
            return EditarNuevaLinea(nueva, pantalla);
        });
        QObject::connect(pantalla, &TFormPacienteTratamiento::volver, pantalla, &VolverAlPaciente,
                         Qt::QueuedConnection);
    }
}

// The category load screen was left: it starts afresh next time, taking the machine's events again.
void VolverDeCargaCategoria()
{
    FormInicio().CerrarPantallas<TFormCategoriaCarga>();
    FormInicio().AbrirPantalla<TFormCategoria>();
}

void AbrirCargaCategoria()
{
    TFormCategoriaCarga *pantalla = FormInicio().AbrirPantalla<TFormCategoriaCarga>();
    if (!pantalla->OnStockMedicamento) {
        pantalla->OnStockMedicamento = [pantalla](qint64 idPaciente, qint64 idMedicamento) {
            TDlgInventarioMedicamento dialogo(idPaciente, idMedicamento, pantalla);
            dialogo.exec();
        };
        // Where stock is not kept, the carers' charts of the patients loaded follow the run.
        pantalla->Ronda().OnHojaAdministracion = [](const QList<qint64> &pacientes, const QDate &inicio) {
            ImprimirHojaAdministracion(pacientes, inicio, TFormatoHoja::Semanas);
        };
        QObject::connect(pantalla, &TFormCategoriaCarga::volver, pantalla, &VolverDeCargaCategoria,
                         Qt::QueuedConnection);
    }
    pantalla->AbrirCargaCategoria();
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

void AbrirPacientesCategoria()
{
    TFormCategoriaPacientes *pantalla = FormInicio().AbrirPantalla<TFormCategoriaPacientes>();
    if (!pantalla->property("conectada").toBool()) {
        pantalla->setProperty("conectada", true);
        QObject::connect(
                pantalla, &TFormCategoriaPacientes::volver, pantalla,
                [] { FormInicio().AbrirPantalla<TFormCategoria>(); }, Qt::QueuedConnection);
    }
}

// The active patient's chart, from the patient's hub.
void ImprimirHojaPaciente(TFormatoHoja formato)
{
    ImprimirHojaAdministracion({DM().idPacienteActivo}, std::nullopt, formato);
}

} // namespace

void RegistrarPantallas()
{
    RegistrarDestino(TDestino::CargaPaciente, &AbrirCargaPaciente);
    RegistrarDestino(TDestino::CargaCategoria, &AbrirCargaCategoria);
    RegistrarDestino(TDestino::TratamientoPaciente, &AbrirTratamientoPaciente);
    RegistrarDestino(TDestino::HistorialTratamiento, &AbrirHistorialTratamiento);
    RegistrarDestino(TDestino::FichaPaciente, &AbrirFichaPaciente);
    RegistrarDestino(TDestino::RetornoPaciente, &AbrirRetornoPaciente);
    RegistrarDestino(TDestino::EntregaPaciente, &AbrirEntregaPaciente);
    RegistrarDestino(TDestino::EntregaCategoria, &AbrirEntregaCategoria);
    RegistrarDestino(TDestino::ListaPacientes, &AbrirListaPacientes);
    RegistrarDestino(TDestino::Consultas, [] { FormInicio().AbrirPantalla<TFormCargas>(); });
    RegistrarDestino(TDestino::Trazabilidad, [] { FormInicio().AbrirPantalla<TFormCTrazabilidad>(); });
    RegistrarDestino(TDestino::Auditoria, [] { FormInicio().AbrirPantalla<TFormAuditoria>(); });
    RegistrarDestino(TDestino::Usuarios, [] { FormInicio().AbrirPantalla<TFormUsuarios>(); });
    RegistrarDestino(TDestino::Preferencias, [] { FormInicio().AbrirPantalla<TFormPreferencias>(); });
    RegistrarDestino(TDestino::Categorias, [] { FormInicio().AbrirPantalla<TFormCategorias>(); });
    RegistrarDestino(TDestino::Utilidades, [] { FormInicio().AbrirPantalla<TFormNecesidades>(); });
    RegistrarDestino(TDestino::Listados, [] { FormInicio().AbrirPantalla<TFormListados>(); });
    RegistrarDestino(TDestino::PacientesCategoria, &AbrirPacientesCategoria);
    RegistrarDestino(TDestino::HojaAdministracion, [] { ImprimirHojaPaciente(TFormatoHoja::Semanas); });
    RegistrarDestino(TDestino::HojaFranjas, [] { ImprimirHojaPaciente(TFormatoHoja::Franjas); });
    RegistrarDestino(TDestino::BaseDatos,
                     [] { TDlgSelectNetwork(AppDirectory::current(), &FormInicio()).exec(); });
    // Every preview shows the header of the screens: who works, for which pharmacy.
    TFormPreview::setProveedorCabecera([] { return TextosCabeceraSesion(Clock::today()); });
    TKelvoVentana::SetVistaParametros([] { VerParametrosMaquina(&FormInicio()); });
    TKelvoVentana::SetEditorTraducciones(&EditarTraducciones);
}
