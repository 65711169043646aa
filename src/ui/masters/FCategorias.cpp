#include "ui/masters/FCategorias.h"

#include "core/data/ManejadorErrores.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "ui/i18n/Componente.h"
#include "ui/masters/FDlgTabMaestras.h"
#include "ui/shell/Mensajes.h"
#include "ui/shell/TMarcoPantalla.h"
#include "ui/shell/TMenuAdministracion.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

enum Columna { kCodigo, kDescripcion };

} // namespace

TFormCategorias::TFormCategorias(QWidget *parent)
    : TPantalla(parent)
    , m_cmbTabla(Componente<QComboBox>(this, "cmbTabla"))
    , m_grdTabla(Componente<QTableView>(this, "grdTabla"))
    , m_modelo(new QStandardItemModel(0, 2, this))
{
    setObjectName(QStringLiteral("FormCategorias"));
    setWindowTitle(QStringLiteral("CATEGORIAS"));
    // The item's position is the list's CodTab; the categories are the only list in use.
    m_cmbTabla->addItem(QStringLiteral("CATEGORIAS"));
    m_cmbTabla->hide();
    m_modelo->setHorizontalHeaderLabels({QStringLiteral("CODIGO"), QStringLiteral("DESCRIPCION")});
    m_grdTabla->setModel(m_modelo);
    m_grdTabla->setColumnHidden(kCodigo, true);
    m_grdTabla->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdTabla->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdTabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdTabla->horizontalHeader()->setStretchLastSection(true);

    auto *botones = new QHBoxLayout;
    QPushButton *btnNuevo = Componente<QPushButton>(this, "btnNuevo", QStringLiteral("NUEVO"));
    QPushButton *btnEditar = Componente<QPushButton>(this, "btnEditar", QStringLiteral("EDITAR"));
    QPushButton *btnBorrar = Componente<QPushButton>(this, "btnBorrar", QStringLiteral("BORRAR"));
    for (QPushButton *boton : {btnNuevo, btnEditar, btnBorrar})
        botones->addWidget(boton);
    botones->addStretch();

    auto *lista = new QVBoxLayout;
    lista->addWidget(m_cmbTabla);
    lista->addWidget(m_grdTabla, 1);
    lista->addLayout(botones);
    TMarcoPantalla::ConMenu<TMenuAdministracion>(*this, lista);

    connect(m_grdTabla, &QTableView::doubleClicked, this, &TFormCategorias::btnEditarClick);
    connect(btnNuevo, &QPushButton::clicked, this, &TFormCategorias::btnNuevoClick);
    connect(btnEditar, &QPushButton::clicked, this, &TFormCategorias::btnEditarClick);
    connect(btnBorrar, &QPushButton::clicked, this, &TFormCategorias::btnBorrarClick);
}

int TFormCategorias::Lista() const
{
    return m_cmbTabla->currentIndex();
}

void TFormCategorias::AlMostrar()
{
    const std::optional<TEntradaMaestra> seleccionada = Seleccionada();
    Refrescar(seleccionada ? seleccionada->Codigo : 0);
}

void TFormCategorias::Refrescar(int codigoSeleccionar)
{
    m_entradas = TTablasMaestras(DM()).Lista(Lista());
    m_modelo->removeRows(0, m_modelo->rowCount());
    int seleccion = 0;
    for (const TEntradaMaestra &entrada : std::as_const(m_entradas)) {
        if (entrada.Codigo == codigoSeleccionar)
            seleccion = m_modelo->rowCount();
        m_modelo->appendRow(
                {new QStandardItem(QString::number(entrada.Codigo)), new QStandardItem(entrada.Descripcion)});
    }
    SeleccionarFila(seleccion);
}

std::optional<TEntradaMaestra> TFormCategorias::Seleccionada() const
{
    const int fila = m_grdTabla->currentIndex().row();
    if (fila < 0 || fila >= m_entradas.size())
        return std::nullopt;
    return m_entradas.at(fila);
}

void TFormCategorias::SeleccionarFila(int fila)
{
    if (fila < 0 || fila >= m_modelo->rowCount())
        return;
    m_grdTabla->setCurrentIndex(m_modelo->index(fila, kDescripcion));
    m_grdTabla->selectRow(fila);
}

void TFormCategorias::btnNuevoClick()
{
    TDlgTabMaestras dialogo(Lista(), std::nullopt, this);
    if (dialogo.exec() == QDialog::Accepted)
        Refrescar(dialogo.Codigo());
}

void TFormCategorias::btnEditarClick()
{
    const std::optional<TEntradaMaestra> entrada = Seleccionada();
    if (!entrada)
        return;
    TDlgTabMaestras dialogo(Lista(), entrada, this);
    dialogo.exec();
    // Also after a cancel: another workstation may have changed or deleted the entry meanwhile.
    Refrescar(entrada->Codigo);
}

void TFormCategorias::btnBorrarClick()
{
    const std::optional<TEntradaMaestra> entrada = Seleccionada();
    if (!entrada)
        return;
    TTablasMaestras tablas(DM());
    if (const QString motivo = tablas.MotivoBorradoImposible(Lista(), entrada->Codigo); !motivo.isEmpty()) {
        MostrarError(motivo);
        return;
    }
    if (Confirmar(Traducir(QStringLiteral("QST_ELIMINAR_TABMAESTRA"),
                           QStringLiteral("¿ESTA SEGURO QUE QUIERE ELIMINAR ELEMENTO DE LA LISTA?")))
        != 1)
        return;
    ManejadorErrores::Proteger([&] { tablas.Borrar(Lista(), entrada->Codigo); });
    Refrescar();
}
