#include "ui/shell/TMenuConsultas.h"

#include "ui/medication/FMedicamentos.h"
#include "ui/shell/Destinos.h"
#include "ui/shell/EntradasMenu.h"
#include "ui/shell/FMain.h"
#include "ui/shell/FPrincipal.h"
#include "ui/stock/FCInventario.h"

#include <QVBoxLayout>

TMenuConsultas::TMenuConsultas(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MenuConsultas"));
    auto *disposicion = new QVBoxLayout(this);
    CrearEntradas(this, disposicion,
                  {
                          {QStringLiteral("btnGestionSPD"), QStringLiteral("GESTIÓN SPDs"),
                           [] { FormInicio().AbrirPantalla<TFormMain>(); }},
                          {QStringLiteral("btnCargas"), QStringLiteral("CARGAS"),
                           [] { AbrirDestino(TDestino::Consultas); }},
                          {QStringLiteral("btnInventario"), QStringLiteral("INVENTARIO"),
                           [] { FormInicio().AbrirPantalla<TFormCInventario>(); }},
                          {QStringLiteral("btnAuditoria"), QStringLiteral("AUDITORIA"),
                           [] { AbrirDestino(TDestino::Auditoria); }},
                          {QStringLiteral("btnTrazabilidad"), QStringLiteral("TRAZABILIDAD"),
                           [] { AbrirDestino(TDestino::Trazabilidad); }},
                          {QStringLiteral("btnUtilidades"), QStringLiteral("UTILIDADES"),
                           [] { AbrirDestino(TDestino::Utilidades); }},
                          {QStringLiteral("btnGestion"), QStringLiteral("GESTIÓN"),
                           [] { FormInicio().AbrirPantalla<TFormMedicamentos>()->Refrescar(); }},
                  });
    disposicion->addStretch();
}
