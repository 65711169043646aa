#include "ui/shell/TMenuAdministracion.h"

#include "ui/data/BackupSistema.h"
#include "ui/i18n/FPantallaTraducciones.h"
#include "ui/medication/FMedicamentos.h"
#include "ui/shell/Destinos.h"
#include "ui/shell/EntradasMenu.h"
#include "ui/shell/FMain.h"
#include "ui/shell/FPrincipal.h"

#include <QVBoxLayout>

TMenuAdministracion::TMenuAdministracion(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MenuAdministracion"));
    auto *disposicion = new QVBoxLayout(this);
    CrearEntradas(this, disposicion,
                  {
                          {QStringLiteral("btnGestionSPD"), QStringLiteral("GESTIÓN SPDs"),
                           [] { FormInicio().AbrirPantalla<TFormMain>(); }},
                          {QStringLiteral("btnPacientes"), QStringLiteral("PACIENTES"),
                           [] { AbrirDestino(TDestino::ListaPacientes); }},
                          {QStringLiteral("btnMedicamentos"), QStringLiteral("MEDICAMENTOS"),
                           [] { FormInicio().AbrirPantalla<TFormMedicamentos>()->Refrescar(); }},
                          {QStringLiteral("btnUsuarios"), QStringLiteral("USUARIOS"),
                           [] { AbrirDestino(TDestino::Usuarios); }},
                          {QStringLiteral("btnPreferencias"), QStringLiteral("PREFERENCIAS"),
                           [] { AbrirDestino(TDestino::Preferencias); }},
                          {QStringLiteral("btnConsultas"), QStringLiteral("CONSULTAS"),
                           [] { AbrirDestino(TDestino::Consultas); }},
                          {QStringLiteral("btnCategorias"), QStringLiteral("CATEGORIAS"),
                           [] { AbrirDestino(TDestino::Categorias); }},
                          {QStringLiteral("btnUtilidades"), QStringLiteral("UTILIDADES"),
                           [] { AbrirDestino(TDestino::Utilidades); }},
                          {QStringLiteral("btnRealizarBackup"), QStringLiteral("REALIZAR BACKUP"),
                           [this] { RealizarBackupSistema(this); }},
                          {QStringLiteral("btnRestaurarBackup"), QStringLiteral("RESTAURAR BACKUP"),
                           [this] { RestaurarBackup(this); }},
                          {QStringLiteral("btnBaseDatos"), QStringLiteral("BASE DE DATOS"),
                           [] { AbrirDestino(TDestino::BaseDatos); }},
                          // The translation editor on the screen the menu belongs to.
                          {QStringLiteral("btnTraducciones"), QStringLiteral("TRADUCCIONES"),
                           [] {
                               if (QWidget *pantalla = FormInicio().PantallaActual())
                                   EditarTraducciones(*pantalla, ColumnaIdiomaActual());
                           }},
                  });
    disposicion->addStretch();
}
