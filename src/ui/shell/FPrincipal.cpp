#include "ui/shell/FPrincipal.h"

#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/patients/BusquedaPaciente.h"
#include "core/settings/uPreferencias.h"
#include "core/shell/uLog.h"
#include "ui/i18n/Componente.h"
#include "ui/shell/Destinos.h"
#include "ui/shell/FCategoria.h"
#include "ui/shell/FMain.h"
#include "ui/shell/FPaciente.h"
#include "ui/shell/Mensajes.h"
#include "ui/shell/TMarcoPantalla.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kCargaManual = 1;
constexpr double kVersionMaquinaConCategorias = 2.0;

template<class T> T *Componente(T *componente, const char *nombre)
{
    componente->setObjectName(QString::fromLatin1(nombre));
    return componente;
}

} // namespace

TFormMain::TFormMain(QWidget *parent)
    : TPantalla(parent)
{
    setObjectName(QStringLiteral("FormMain"));
    auto *marco = new TMarcoPantalla(this);
    auto *pantalla = new QVBoxLayout(this);
    pantalla->setContentsMargins(0, 0, 0, 0);
    pantalla->addWidget(marco);
    QWidget *contenido = marco->Contenido();

    auto *lblBuscar = Componente(
            new QLabel(QStringLiteral("INTRODUZCA EL IDENTIFICADOR DEL PACIENTE"), contenido), "lblBuscar");
    m_edtBuscar = Componente(new QLineEdit(contenido), "edtBuscar");
    auto *btnBuscar = Componente(new QPushButton(QStringLiteral("BUSCAR"), contenido), "btnBuscar");
    auto *busqueda = new QHBoxLayout;
    busqueda->addWidget(m_edtBuscar, 1);
    busqueda->addWidget(btnBuscar);

    m_pnlCategorias = Componente(new QWidget(contenido), "pnlCategorias");
    auto *lblCategoria
            = Componente(new QLabel(QStringLiteral("SELECCIONE UNA CATEGORIA DE LA LISTA"), m_pnlCategorias),
                         "lblCategoria");
    m_cmbCategorias = Componente(new QComboBox(m_pnlCategorias), "cmbCategorias");
    TextosDeCodigo(*m_cmbCategorias); // the pharmacy's categories
    auto *btnSeleccionar
            = Componente(new QPushButton(QStringLiteral("SELECCIONAR"), m_pnlCategorias), "btnSeleccionar");
    auto *categorias = new QVBoxLayout(m_pnlCategorias);
    categorias->addWidget(lblCategoria);
    auto *eleccion = new QHBoxLayout;
    eleccion->addWidget(m_cmbCategorias, 1);
    eleccion->addWidget(btnSeleccionar);
    categorias->addLayout(eleccion);

    m_btnAdministrar
            = Componente(new QPushButton(QStringLiteral("ADMINISTRAR"), contenido), "btnAdministrar");

    auto *disposicion = new QVBoxLayout(contenido);
    disposicion->addStretch();
    disposicion->addWidget(lblBuscar);
    disposicion->addLayout(busqueda);
    disposicion->addSpacing(24);
    disposicion->addWidget(m_pnlCategorias);
    disposicion->addStretch();
    disposicion->addWidget(m_btnAdministrar, 0, Qt::AlignRight);

    connect(btnBuscar, &QPushButton::clicked, this, &TFormMain::btnBuscarClick);
    connect(m_edtBuscar, &QLineEdit::returnPressed, this, &TFormMain::btnBuscarClick);
    connect(btnSeleccionar, &QPushButton::clicked, this, &TFormMain::btnSeleccionarClick);
    connect(m_btnAdministrar, &QPushButton::clicked, this, &TFormMain::btnAdministrarClick);
    LlenarCategorias();
}

bool TFormMain::PanelCategoriasVisible(double versionMaquina, int tipoCarga)
{
    return versionMaquina >= kVersionMaquinaConCategorias || tipoCarga == kCargaManual;
}

void TFormMain::AlMostrar()
{
    m_edtBuscar->clear();
    m_edtBuscar->setFocus();
    m_pnlCategorias->setVisible(
            PanelCategoriasVisible(Preferencias().VersionMaquina, Preferencias().TipoCarga));
    m_btnAdministrar->setVisible(DM().Usuario && DM().Usuario->esFarmaceutico);
    LlenarCategorias();
}

void TFormMain::LlenarCategorias()
{
    m_codigos = DM().ListaCategorias();
    m_cmbCategorias->clear();
    for (const TCodigos &codigo : std::as_const(m_codigos))
        m_cmbCategorias->addItem(codigo.Descripcion);
    // No category counts as chosen until the user chooses one, except the one already active.
    const std::optional<int> activa
            = DM().Categoria ? IndiceDeCodigo(m_codigos, DM().Categoria->Codigo) : std::nullopt;
    m_cmbCategorias->setCurrentIndex(activa.value_or(-1));
}

void TFormMain::btnBuscarClick()
{
    FormInicio().Marcas = {};
    const TBusquedaPaciente busqueda = BuscarPaciente(DM(), m_edtBuscar->text(), Preferencias().Pais);
    switch (busqueda.resultado) {
    case TBusquedaPaciente::TResultado::NoEncontrado:
        MostrarAviso(Traducir(QStringLiteral("WRN_PACIENTE_NO_ENCONTRADO"),
                              QStringLiteral("NO SE HA ENCONTRADO EL PACIENTE SOLICITADO")));
        SeleccionarBusqueda();
        return;
    case TBusquedaPaciente::TResultado::NoActivo:
        MostrarAviso(Traducir(QStringLiteral("WRN_PACIENTE_NO_ACTIVO"),
                              QStringLiteral("EL PACIENTE SOLICITADO NO ESTA ACTIVO EN LA APLICACION")));
        SeleccionarBusqueda();
        return;
    case TBusquedaPaciente::TResultado::Encontrado:
        Log(QStringLiteral(": PACI: ") + busqueda.refPaciente);
        FormInicio().AbrirPantalla<TFormPaciente>();
        return;
    }
}

void TFormMain::SeleccionarBusqueda()
{
    // The next code scanned or typed replaces the text instead of being appended to it.
    m_edtBuscar->selectAll();
    m_edtBuscar->setFocus();
}

void TFormMain::btnSeleccionarClick()
{
    const int indice = m_cmbCategorias->currentIndex();
    if (indice < 0 || indice >= m_codigos.size())
        return;
    DM().Categoria = TCategoria {m_codigos.at(indice).Codigo, m_codigos.at(indice).Descripcion};
    FormInicio().AbrirPantalla<TFormCategoria>();
}

void TFormMain::btnAdministrarClick()
{
    AbrirDestino(TDestino::ListaPacientes);
}
