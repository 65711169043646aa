#include "ui/patients/PanelRecetas.h"

#include "core/audit/uLOPD.h"
#include "core/data/ManejadorErrores.h"
#include "core/data/uDM.h"
#include "core/dosing/UPosologia.h"
#include "core/i18n/ULenguaje.h"
#include "ui/i18n/Componente.h"
#include "ui/patients/FDlgReceta.h"
#include "ui/shell/Mensajes.h"
#include "ui/stock/FrameStockPaciente.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TPanelRecetas::TPanelRecetas(const QWidget &pantalla, TFrameStockPaciente &stock, QWidget *parent)
    : QWidget(parent)
    , m_pantalla(pantalla)
    , m_stock(stock)
    , m_grdRecetas(Componente<QTableWidget>(this, "grdRecetas"))
{
    setObjectName(QStringLiteral("PanelRecetas"));
    m_grdRecetas->setColumnCount(kColumnas);
    m_grdRecetas->setHorizontalHeaderLabels(
            {QStringLiteral("FECHA"), QStringLiteral("CODIGO"), QStringLiteral("MEDICAMENTO")});
    m_grdRecetas->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdRecetas->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdRecetas->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdRecetas->verticalHeader()->hide();
    m_grdRecetas->horizontalHeader()->setSectionResizeMode(kColMedicamento, QHeaderView::Stretch);
    auto *btnIntroducir
            = Componente<QPushButton>(this, "btnIntroducirReceta", QStringLiteral("INTRODUCIR RECETA"));
    auto *btnBorrar = Componente<QPushButton>(this, "btnBorrarReceta", QStringLiteral("BORRAR"));
    auto *btnDispensar = Componente<QPushButton>(this, "btnDispensar", QStringLiteral("DISPENSAR"));
    auto *botones = new QHBoxLayout;
    for (QPushButton *boton : {btnIntroducir, btnBorrar, btnDispensar})
        botones->addWidget(boton);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grdRecetas);
    layout->addLayout(botones);

    connect(btnIntroducir, &QPushButton::clicked, this, &TPanelRecetas::btnIntroducirRecetaClick);
    connect(btnBorrar, &QPushButton::clicked, this, &TPanelRecetas::btnBorrarRecetaClick);
    connect(btnDispensar, &QPushButton::clicked, this, &TPanelRecetas::btnDispensarClick);
}

void TPanelRecetas::Refrescar()
{
    m_recetas.clear();
    ManejadorErrores::Proteger([&] { m_recetas = TRecetas(DM()).Pendientes(DM().idPacienteActivo); });
    m_grdRecetas->setRowCount(0);
    m_grdRecetas->setRowCount(int(m_recetas.size()));
    for (int fila = 0; fila < m_recetas.size(); ++fila) {
        const TFilaReceta &receta = m_recetas.at(fila);
        const QStringList textos {TextoFecha(receta.FechaReceta), QString::number(receta.idMedicamento),
                                  receta.Medicamento};
        for (int columna = 0; columna < kColumnas; ++columna)
            m_grdRecetas->setItem(fila, columna, new QTableWidgetItem(textos.at(columna)));
    }
    if (!m_recetas.isEmpty())
        m_grdRecetas->selectRow(0);
}

std::optional<TFilaReceta> TPanelRecetas::Seleccionada() const
{
    const int fila = m_grdRecetas->currentRow();
    if (fila < 0 || fila >= m_recetas.size())
        return std::nullopt;
    return m_recetas.at(fila);
}

void TPanelRecetas::btnIntroducirRecetaClick()
{
    if (IntroducirReceta(this))
        Refrescar();
}

void TPanelRecetas::btnBorrarRecetaClick()
{
    const std::optional<TFilaReceta> receta = Seleccionada();
    if (!receta)
        return;
    if (Confirmar(Traducir(QStringLiteral("QST_ELIMINAR_RECETA"),
                           QStringLiteral("¿ESTÁ SEGURO QUE QUIERE ELIMINAR LA RECETA SIN DISPENSAR?")))
        != 1)
        return;
    bool borrada = false;
    // Bound to the active patient: a list left from another patient deletes nothing.
    ManejadorErrores::Proteger(
            [&] { borrada = TRecetas(DM()).Borrar(DM().idPacienteActivo, receta->idReceta); });
    if (borrada)
        Auditar(m_pantalla.windowTitle()
                        + Traducir(QStringLiteral("CAPTION_LOPD_BORR_RECETA"),
                                   QStringLiteral(" BORR. RECETA")),
                LOPD::kBaja, LOPD::kAceptado);
    Refrescar();
}

void TPanelRecetas::btnDispensarClick()
{
    const std::optional<TFilaReceta> receta = Seleccionada();
    if (!receta)
        return;
    const qint64 idReceta = receta->idReceta;
    m_stock.Dispensar(receta->idMedicamento, [idReceta](const TEntradaStock &entrada) {
        return TRecetas(DM()).Dispensar(idReceta, entrada);
    });
    Refrescar();
}
