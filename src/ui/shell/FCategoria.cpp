#include "ui/shell/FCategoria.h"

#include "core/data/uDM.h"
#include "ui/shell/Destinos.h"
#include "ui/shell/EntradasMenu.h"
#include "ui/shell/FMain.h"
#include "ui/shell/FPrincipal.h"
#include "ui/shell/TMarcoPantalla.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFormCategoria::TFormCategoria(QWidget *parent)
    : TPantalla(parent)
    , m_lblCategoria(new QLabel(this))
{
    setObjectName(QStringLiteral("FormCategoria"));
    m_lblCategoria->setObjectName(QStringLiteral("lblCategoria"));

    auto *marco = new TMarcoPantalla(this);
    auto *pantalla = new QVBoxLayout(this);
    pantalla->setContentsMargins(0, 0, 0, 0);
    pantalla->addWidget(marco);
    auto *disposicion = new QVBoxLayout(marco->Contenido());
    disposicion->addWidget(m_lblCategoria);
    CrearEntradas(marco->Contenido(), disposicion,
                  {
                          {QStringLiteral("btnCarga"), QStringLiteral("CARGA"),
                           [] { AbrirDestino(TDestino::CargaCategoria); }},
                          {QStringLiteral("btnEntrega"), QStringLiteral("ENTREGA"),
                           [] { AbrirDestino(TDestino::EntregaCategoria); }},
                          {QStringLiteral("btnPacientes"), QStringLiteral("PACIENTES"),
                           [] { AbrirDestino(TDestino::PacientesCategoria); }},
                          {QStringLiteral("btnVolver"), QStringLiteral("VOLVER"),
                           [] { FormInicio().AbrirPantalla<TFormMain>(); }},
                  });
    disposicion->addStretch();
}

void TFormCategoria::AlMostrar()
{
    m_lblCategoria->setText(
            DM().Categoria ? DM().DescripcionCategoria(QString::number(DM().Categoria->Codigo)) : QString());
}
