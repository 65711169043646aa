#include "ui/stock/FCTrazabilidad.h"

#include "core/common/AppError.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/medication/uEAN.h"
#include "core/settings/uPreferencias.h"
#include "core/stock/InformeTrazabilidad.h"
#include "core/stock/ModeloTrazabilidad.h"
#include "ui/i18n/Componente.h"
#include "ui/reports/Fpreview.h"
#include "ui/shell/Mensajes.h"
#include "ui/shell/TMenuConsultas.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

TFormCTrazabilidad::TFormCTrazabilidad(QWidget *parent)
    : TPantalla(parent)
    , m_edtCodigo(Componente<QLineEdit>(this, "edtCodigo"))
    , m_edtLote(Componente<QLineEdit>(this, "edtLote"))
    , m_grdTrazabilidad(Componente<QTableView>(this, "grdTrazabilidad"))
    , m_modelo(new TModeloTrazabilidad(DM(), this))
{
    setObjectName(QStringLiteral("FormCTrazabilidad"));
    setWindowTitle(QStringLiteral("TRAZABILIDAD"));
    m_grdTrazabilidad->setModel(m_modelo);
    m_grdTrazabilidad->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdTrazabilidad->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdTrazabilidad->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdTrazabilidad->horizontalHeader()->setStretchLastSection(true);
    auto *btnFiltrar = Componente<QPushButton>(this, "btnFiltrar", QStringLiteral("FILTRAR"));
    auto *btnImprimir = Componente<QPushButton>(this, "btnImprimir", QStringLiteral("IMPRIMIR"));
    auto *btnExportar = Componente<QPushButton>(this, "btnExportar", QStringLiteral("EXPORTAR"));
    btnExportar->hide(); // exporting the list is not offered yet

    auto *filtros = new QFormLayout;
    filtros->addRow(Componente<QLabel>(this, "lblCodigo", QStringLiteral("MEDICAMENTO")), m_edtCodigo);
    filtros->addRow(Componente<QLabel>(this, "lblLote", QStringLiteral("LOTE")), m_edtLote);
    auto *botones = new QHBoxLayout;
    botones->addWidget(btnFiltrar);
    botones->addWidget(btnImprimir);
    botones->addWidget(btnExportar);
    botones->addStretch();
    auto *consulta = new QVBoxLayout;
    consulta->addLayout(filtros);
    consulta->addLayout(botones);
    consulta->addWidget(m_grdTrazabilidad);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(new TMenuConsultas(this));
    layout->addLayout(consulta, 1);

    connect(btnFiltrar, &QPushButton::clicked, this, &TFormCTrazabilidad::btnFiltrarClick);
    connect(btnImprimir, &QPushButton::clicked, this, &TFormCTrazabilidad::btnImprimirClick);
    connect(btnExportar, &QPushButton::clicked, this, &TFormCTrazabilidad::btnExportarClick);
    connect(m_edtCodigo, &QLineEdit::editingFinished, this, &TFormCTrazabilidad::edtCodigoExit);
    connect(m_edtCodigo, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
}

void TFormCTrazabilidad::AlMostrar()
{
    m_edtCodigo->clear();
    m_edtLote->clear();
    m_modelo->Vaciar();
}

void TFormCTrazabilidad::edtCodigoExit()
{
    m_edtCodigo->setText(CortarCodigoEscaneado(m_edtCodigo->text(), Preferencias().Pais));
}

void TFormCTrazabilidad::btnFiltrarClick()
{
    // A code that is not a number is refused here, before anything is searched.
    const TCodigoTrazabilidad codigo = LeerCodigoTrazabilidad(m_edtCodigo->text());
    if (!codigo.Error.isEmpty()) {
        MostrarError(codigo.Error);
        m_edtCodigo->setFocus();
        return;
    }
    m_modelo->Consultar(codigo.idMedicamento, m_edtLote->text());
    if (m_modelo->rowCount() > 0)
        m_grdTrazabilidad->selectRow(0);
}

void TFormCTrazabilidad::btnImprimirClick()
{
    if ((m_edtCodigo->text().trimmed().isEmpty() && m_edtLote->text().trimmed().isEmpty())
        || m_modelo->rowCount() == 0)
        return;
    // The selected line stays selected: the list itself is not read again.
    TFormPreview::Mostrar(
            InformeTrazabilidad(CabeceraTrazabilidad(DM(), m_edtCodigo->text(), m_edtLote->text()),
                                m_modelo->Todas(), MembreteFarmacia(Preferencias())));
}

void TFormCTrazabilidad::btnExportarClick()
{
    MostrarAviso(Traducir(QStringLiteral("MSG_NOT_IMPLEMENTED"), QStringLiteral("NOT IMPLEMENTED: "))
                 + Traducir(QStringLiteral("NIP_EXPORTAR_CARGAS"), QStringLiteral("EXPORTAR CARGAS")));
}
