#include "ui/shell/FPaciente.h"

#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "ui/shell/Destinos.h"
#include "ui/shell/EntradasMenu.h"
#include "ui/shell/FMain.h"
#include "ui/shell/FPrincipal.h"
#include "ui/shell/Mensajes.h"
#include "ui/shell/TMarcoPantalla.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSqlQuery>
#include <QVBoxLayout>

TFormPaciente::TFormPaciente(QWidget *parent)
    : TPantalla(parent)
    , m_lblReferencia(new QLabel(this))
    , m_lblNombre(new QLabel(this))
{
    setObjectName(QStringLiteral("FormPaciente"));
    m_lblReferencia->setObjectName(QStringLiteral("lblReferencia"));
    m_lblNombre->setObjectName(QStringLiteral("lblNombre"));

    auto *marco = new TMarcoPantalla(this);
    auto *pantalla = new QVBoxLayout(this);
    pantalla->setContentsMargins(0, 0, 0, 0);
    pantalla->addWidget(marco);
    auto *disposicion = new QVBoxLayout(marco->Contenido());
    auto *paciente = new QHBoxLayout;
    paciente->addWidget(m_lblReferencia);
    paciente->addWidget(m_lblNombre, 1);
    disposicion->addLayout(paciente);
    CrearEntradas(
            marco->Contenido(), disposicion,
            {
                    {QStringLiteral("btnFicha"), QStringLiteral("FICHA"),
                     [] { AbrirDestino(TDestino::FichaPaciente); }},
                    {QStringLiteral("btnTratamiento"), QStringLiteral("TRATAMIENTO"),
                     [] { AbrirDestino(TDestino::TratamientoPaciente); }},
                    {QStringLiteral("btnCarga"), QStringLiteral("CARGA"),
                     [] { AbrirDestino(TDestino::CargaPaciente); }},
                    {QStringLiteral("btnEntrega"), QStringLiteral("ENTREGA"),
                     [] { AbrirDestino(TDestino::EntregaPaciente); }},
                    {QStringLiteral("btnRetorno"), QStringLiteral("RETORNO"), [this] { btnRetornoClick(); }},
                    {QStringLiteral("btnHojaSemanas"), QStringLiteral("HOJA ADMINISTRACION"),
                     [] { AbrirDestino(TDestino::HojaAdministracion); }},
                    {QStringLiteral("btnHojaFranjas"), QStringLiteral("HOJA POR FRANJAS"),
                     [] { AbrirDestino(TDestino::HojaFranjas); }},
                    {QStringLiteral("btnVolver"), QStringLiteral("VOLVER"), [this] { btnVolverClick(); }},
            });
    disposicion->addStretch();
}

void TFormPaciente::AlMostrar()
{
    TConsulta paciente
            = DM().Consulta(QStringLiteral("SELECT refPaciente, Nombre FROM Paciente WHERE idPaciente = ?"),
                            {DM().idPacienteActivo});
    const bool hay = paciente.next();
    m_lblReferencia->setText(hay ? paciente.value(0).toString() : QString());
    m_lblNombre->setText(hay ? paciente.value(1).toString() : QString());
}

void TFormPaciente::btnRetornoClick()
{
    const int cargas = DM().Valor(QStringLiteral("SELECT COUNT(*) FROM Recarga WHERE idPaciente = ?"),
                                  {DM().idPacienteActivo})
                               .toInt();
    if (cargas == 0) {
        MostrarError(Traducir(QStringLiteral("WRN_PACIENTE_SIN_CARGA_RETORNO"),
                              QStringLiteral("El paciente no tiene recargas que retornar")));
        return;
    }
    AbrirDestino(TDestino::RetornoPaciente);
}

void TFormPaciente::btnVolverClick()
{
    const TMarcasSesion &marcas = FormInicio().Marcas;
    if (marcas.desdeCargaCategoria)
        AbrirDestino(TDestino::CargaCategoria);
    else if (marcas.desdeListaPacientes)
        AbrirDestino(TDestino::ListaPacientes);
    else
        FormInicio().AbrirPantalla<TFormMain>();
}
