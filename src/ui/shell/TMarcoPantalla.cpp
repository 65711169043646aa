#include "ui/shell/TMarcoPantalla.h"

#include "core/common/Clock.h"
#include "core/shell/TextosCabecera.h"
#include "ui/i18n/Componente.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

TMarcoPantalla::TMarcoPantalla(QWidget *parent)
    : QWidget(parent)
    , m_lblUsuario(Componente<QLabel>(this, "lblUsuario"))
    , m_lblTitular(Componente<QLabel>(this, "lblTitular"))
    , m_lblFarmacia(Componente<QLabel>(this, "lblFarmacia"))
    , m_contenido(new QWidget(this))
    , m_lblPie(Componente<QLabel>(this, "lblPie"))
{
    setObjectName(QStringLiteral("MarcoPantalla"));
    m_contenido->setObjectName(QStringLiteral("Contenido"));
    m_lblFarmacia->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lblPie->setAlignment(Qt::AlignCenter);
    QFont letraPie = m_lblPie->font();
    letraPie.setPointSizeF(letraPie.pointSizeF() * 0.8);
    m_lblPie->setFont(letraPie);

    auto *cabecera = new QHBoxLayout;
    auto *izquierda = new QVBoxLayout;
    izquierda->addWidget(m_lblUsuario);
    izquierda->addWidget(m_lblTitular);
    cabecera->addLayout(izquierda);
    cabecera->addStretch();
    cabecera->addWidget(m_lblFarmacia);

    auto *marco = new QVBoxLayout(this);
    marco->addLayout(cabecera);
    marco->addWidget(m_contenido, 1);
    marco->addWidget(m_lblPie);
}

void TMarcoPantalla::Refrescar()
{
    const TTextosCabecera textos = TextosCabeceraSesion(Clock::today());
    m_lblUsuario->setText(textos.usuario);
    m_lblTitular->setText(textos.titular);
    m_lblFarmacia->setText(textos.farmacia);
    m_lblPie->setText(textos.pie);
}

void TMarcoPantalla::showEvent(QShowEvent *evento)
{
    QWidget::showEvent(evento);
    Refrescar();
}
