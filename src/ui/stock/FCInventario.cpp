#include "ui/stock/FCInventario.h"

#include "core/audit/uLOPD.h"
#include "core/common/AppError.h"
#include "core/data/uDM.h"
#include "core/medication/uEAN.h"
#include "core/settings/uPreferencias.h"
#include "core/stock/ConsultaInventario.h"
#include "ui/reports/ListadoRejilla.h"
#include "ui/shell/Mensajes.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

template<typename T> T *Componente(QWidget *padre, const char *nombre)
{
    auto *componente = new T(padre);
    componente->setObjectName(QString::fromLatin1(nombre));
    return componente;
}

} // namespace

TFormCInventario::TFormCInventario(QWidget *parent)
    : TKelvoForm(parent)
    , m_cmbCategoria(Componente<QComboBox>(this, "cmbCategoria"))
    , m_edtReferencia(Componente<QLineEdit>(this, "edtReferencia"))
    , m_edtNombre(Componente<QLineEdit>(this, "edtNombre"))
    , m_edtCodigo(Componente<QLineEdit>(this, "edtCodigo"))
    , m_edtDescripcion(Componente<QLineEdit>(this, "edtDescripcion"))
    , m_rbMedicamentos(Componente<QRadioButton>(this, "rbMedicamentos"))
    , m_grdInventario(Componente<QTableWidget>(this, "grdInventario"))
    , m_listado(new TListadoRejilla(*m_grdInventario, Qt::AscendingOrder))
{
    setObjectName(QStringLiteral("FormCInventario"));
    setWindowTitle(QStringLiteral("INVENTARIO DE MEDICAMENTOS"));
    m_cmbCategoria->addItem(QString()); // every category
    for (const TCodigos &categoria : DM().ListaCategorias())
        m_cmbCategoria->addItem(categoria.Descripcion, categoria.Codigo);
    auto *rbPrincipios = Componente<QRadioButton>(this, "rbPrincipiosActivos");
    rbPrincipios->setText(QStringLiteral("Ver principios activos"));
    rbPrincipios->setChecked(true);
    m_rbMedicamentos->setText(QStringLiteral("Ver medicamentos"));
    auto *btnFiltrar = Componente<QPushButton>(this, "btnFiltrar");
    btnFiltrar->setText(QStringLiteral("FILTRAR"));
    m_grdInventario->setColumnCount(8);
    m_grdInventario->setHorizontalHeaderLabels({QStringLiteral("CATEGORIA"), QStringLiteral("REFERENCIA"),
                                                QStringLiteral("NOMBRE"), QStringLiteral("CODIGO"),
                                                QStringLiteral("MEDICAMENTO"), QStringLiteral("LOTE"),
                                                QStringLiteral("CADUCIDAD"), QStringLiteral("CANTIDAD")});
    m_grdInventario->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto *btnImprimir = Componente<QPushButton>(this, "btnImprimir");
    btnImprimir->setText(QStringLiteral("IMPRIMIR"));
    auto *btnExportar = Componente<QPushButton>(this, "btnExportar");
    btnExportar->setText(QStringLiteral("EXPORTAR"));

    auto *filtros = new QFormLayout;
    filtros->addRow(QStringLiteral("CATEGORIA"), m_cmbCategoria);
    filtros->addRow(QStringLiteral("REFERENCIA"), m_edtReferencia);
    filtros->addRow(QStringLiteral("NOMBRE"), m_edtNombre);
    filtros->addRow(QStringLiteral("CODIGO"), m_edtCodigo);
    filtros->addRow(QStringLiteral("DESCRIPCION"), m_edtDescripcion);
    auto *opciones = new QHBoxLayout;
    opciones->addWidget(rbPrincipios);
    opciones->addWidget(m_rbMedicamentos);
    opciones->addWidget(btnFiltrar);
    opciones->addWidget(btnImprimir);
    opciones->addWidget(btnExportar);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filtros);
    layout->addLayout(opciones);
    layout->addWidget(m_grdInventario);

    connect(btnFiltrar, &QPushButton::clicked, this, &TFormCInventario::btnFiltrarClick);
    connect(btnImprimir, &QPushButton::clicked, this, [this] { m_listado->Imprimir(windowTitle()); });
    connect(btnExportar, &QPushButton::clicked, m_listado, &TListadoRejilla::ExportarConDialogo);
    connect(m_edtCodigo, &QLineEdit::editingFinished, this, &TFormCInventario::edtCodigoExit);
    connect(m_edtCodigo, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
}

void TFormCInventario::showEvent(QShowEvent *event)
{
    TKelvoForm::showEvent(event);
    // Each opening of the screen shows patients' data; restoring the window does not count.
    if (!event->spontaneous())
        Auditar(windowTitle(), LOPD::kConsulta, LOPD::kAceptado);
}

void TFormCInventario::edtCodigoExit()
{
    m_edtCodigo->setText(CortarCodigoEscaneado(m_edtCodigo->text(), Preferencias().Pais));
}

void TFormCInventario::btnFiltrarClick()
{
    TFiltroInventario filtro;
    if (const QVariant categoria = m_cmbCategoria->currentData(); categoria.isValid())
        filtro.Categoria = categoria.toInt();
    filtro.Referencia = m_edtReferencia->text();
    filtro.Nombre = m_edtNombre->text();
    filtro.Codigo = m_edtCodigo->text();
    filtro.Descripcion = m_edtDescripcion->text();
    filtro.VerMedicamentos = m_rbMedicamentos->isChecked();
    QList<TFilaInventario> filas;
    try {
        filas = ConsultarInventario(DM(), filtro);
    } catch (const AppError &error) {
        MostrarError(error.message());
        m_edtCodigo->setFocus();
        return;
    }
    m_grdInventario->setRowCount(static_cast<int>(filas.size()));
    const QLocale local;
    for (int i = 0; i < filas.size(); ++i) {
        const TFilaInventario &fila = filas[i];
        const QStringList textos {fila.Categoria,
                                  fila.RefPaciente,
                                  fila.Nombre,
                                  QString::number(fila.Codigo),
                                  fila.Medicamento,
                                  fila.Lote,
                                  local.toString(fila.Caducidad, QLocale::ShortFormat),
                                  local.toString(fila.Cantidad, 'f', 2)};
        for (int columna = 0; columna < textos.size(); ++columna)
            m_grdInventario->setItem(i, columna, new QTableWidgetItem(textos[columna]));
    }
    m_listado->Reordenar();
}
