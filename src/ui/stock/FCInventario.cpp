#include "ui/stock/FCInventario.h"

#include "core/common/AppError.h"
#include "core/common/Clock.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/medication/uEAN.h"
#include "core/settings/uPreferencias.h"
#include "core/stock/InformeStock.h"
#include "core/stock/ModeloInventario.h"
#include "ui/i18n/Componente.h"
#include "ui/reports/Fpreview.h"
#include "ui/reports/ListadoRejilla.h"
#include "ui/shell/Mensajes.h"
#include "ui/shell/TMenuConsultas.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

TFormCInventario::TFormCInventario(QWidget *parent)
    : TKelvoForm(parent)
    , m_cmbCategoria(Componente<QComboBox>(this, "cmbCategoria"))
    , m_edtReferencia(Componente<QLineEdit>(this, "edtReferencia"))
    , m_edtNombre(Componente<QLineEdit>(this, "edtNombre"))
    , m_edtCodigo(Componente<QLineEdit>(this, "edtCodigo"))
    , m_edtDescripcion(Componente<QLineEdit>(this, "edtDescripcion"))
    , m_rbPrincipios(
              Componente<QRadioButton>(this, "rbPrincipiosActivos", QStringLiteral("Ver principios activos")))
    , m_rbMedicamentos(Componente<QRadioButton>(this, "rbMedicamentos", QStringLiteral("Ver medicamentos")))
    , m_grdInventario(Componente<QTableView>(this, "grdInventario"))
    , m_modelo(new TModeloInventario(DM(), this))
    , m_listado(nullptr)
{
    setObjectName(QStringLiteral("FormCInventario"));
    setWindowTitle(QStringLiteral("INVENTARIO DE MEDICAMENTOS"));
    m_cmbCategoria->addItem(QString()); // every category
    for (const TCodigos &categoria : DM().ListaCategorias())
        m_cmbCategoria->addItem(categoria.Descripcion, categoria.Codigo);
    TextosDeCodigo(*m_cmbCategoria);
    m_rbPrincipios->setChecked(true);
    auto *btnFiltrar = Componente<QPushButton>(this, "btnFiltrar", QStringLiteral("FILTRAR"));
    m_grdInventario->setModel(m_modelo);
    m_listado = new TListadoRejilla(*m_grdInventario, Qt::AscendingOrder);
    m_grdInventario->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto *btnImprimir = Componente<QPushButton>(this, "btnImprimir", QStringLiteral("IMPRIMIR"));
    auto *btnExportar = Componente<QPushButton>(this, "btnExportar", QStringLiteral("EXPORTAR"));
    btnExportar->hide(); // exporting the inquiry is not offered yet

    auto *filtros = new QFormLayout;
    filtros->addRow(Componente<QLabel>(this, "lblCategoria", QStringLiteral("CATEGORIA")), m_cmbCategoria);
    filtros->addRow(Componente<QLabel>(this, "lblReferencia", QStringLiteral("REFERENCIA")), m_edtReferencia);
    filtros->addRow(Componente<QLabel>(this, "lblNombre", QStringLiteral("NOMBRE")), m_edtNombre);
    filtros->addRow(Componente<QLabel>(this, "lblCodigo", QStringLiteral("CODIGO")), m_edtCodigo);
    filtros->addRow(Componente<QLabel>(this, "lblDescripcion", QStringLiteral("DESCRIPCION")),
                    m_edtDescripcion);
    auto *opciones = new QHBoxLayout;
    opciones->addWidget(m_rbPrincipios);
    opciones->addWidget(m_rbMedicamentos);
    opciones->addWidget(btnFiltrar);
    opciones->addWidget(btnImprimir);
    opciones->addWidget(btnExportar);
    auto *consulta = new QVBoxLayout;
    consulta->addLayout(filtros);
    consulta->addLayout(opciones);
    consulta->addWidget(m_grdInventario);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(new TMenuConsultas(this));
    layout->addLayout(consulta, 1);

    connect(btnFiltrar, &QPushButton::clicked, this, &TFormCInventario::btnFiltrarClick);
    connect(btnImprimir, &QPushButton::clicked, this, &TFormCInventario::btnImprimirClick);
    connect(btnExportar, &QPushButton::clicked, this, &TFormCInventario::btnExportarClick);
    connect(m_edtCodigo, &QLineEdit::editingFinished, this, &TFormCInventario::edtCodigoExit);
    connect(m_edtCodigo, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
}

void TFormCInventario::edtCodigoExit()
{
    m_edtCodigo->setText(CortarCodigoEscaneado(m_edtCodigo->text(), Preferencias().Pais));
}

void TFormCInventario::btnFiltrarClick()
{
    Buscar();
}

void TFormCInventario::btnImprimirClick()
{
    // The printed report is the one its header describes: the fields are applied first.
    if (!Buscar() || m_modelo->rowCount() == 0)
        return;
    const TCabeceraInventario cabecera {
            m_cmbCategoria->currentText(),
            m_edtReferencia->text().trimmed(),
            m_edtNombre->text().trimmed(),
            (m_rbMedicamentos->isChecked() ? m_rbMedicamentos : m_rbPrincipios)->text(),
            m_edtCodigo->text().trimmed(),
            m_edtDescripcion->text().trimmed()};
    TFormPreview::Mostrar(InformeStock(Traducir(QStringLiteral("CAPTION_INVENTARIO_MEDICAMENTOS"),
                                                QStringLiteral("INVENTARIO DE MEDICAMENTOS")),
                                       cabecera.Textos(), FilasInformeInventario(m_modelo->Todas()),
                                       MembreteFarmacia(Preferencias()), Clock::today()));
}

void TFormCInventario::btnExportarClick()
{
    MostrarAviso(Traducir(QStringLiteral("MSG_NOT_IMPLEMENTED"), QStringLiteral("NOT IMPLEMENTED: "))
                 + Traducir(QStringLiteral("NIP_EXPORTAR_CARGAS"), QStringLiteral("EXPORTAR CARGAS")));
}

bool TFormCInventario::Buscar()
{
    TFiltroInventario filtro;
    if (const QVariant categoria = m_cmbCategoria->currentData(); categoria.isValid())
        filtro.Categoria = categoria.toInt();
    filtro.Referencia = m_edtReferencia->text();
    filtro.Nombre = m_edtNombre->text();
    filtro.Codigo = m_edtCodigo->text();
    filtro.Descripcion = m_edtDescripcion->text();
    filtro.VerMedicamentos = m_rbMedicamentos->isChecked();
    try {
        m_modelo->Consultar(filtro);
    } catch (const AppError &error) {
        MostrarError(error.message());
        m_edtCodigo->setFocus();
        return false;
    }
    return true;
}
