#include "ui/medication/FMedicamentos.h"

#include "core/common/AppError.h"
#include "core/data/ValoresMostrados.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/medication/TCatalogoMedicamentos.h"
#include "core/medication/uEAN.h"
#include "core/settings/uPreferencias.h"
#include "ui/i18n/Componente.h"
#include "ui/medication/FDlgMedicamentoEditar.h"
#include "ui/reports/ListadoRejilla.h"
#include "ui/shell/Mensajes.h"
#include "ui/shell/TBanderaPais.h"
#include "ui/shell/TMenuAdministracion.h"

#include <QBrush>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSortFilterProxyModel>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

enum Columna { kCodigo, kNombre, kPVP, kUnidades, kDefinido, kSPD };

// Rows of defined medications are green when they go into the blister and blue when not.
class TModeloMedicamentos : public QSqlQueryModel
{
public:
    using QSqlQueryModel::QSqlQueryModel;

    QVariant data(const QModelIndex &indice, int rol) const override
    {
        if (rol != Qt::BackgroundRole)
            return QSqlQueryModel::data(indice, rol);
        if (QSqlQueryModel::data(index(indice.row(), kDefinido)).toInt() == 0)
            return {};
        const bool spd = QSqlQueryModel::data(index(indice.row(), kSPD)).toInt() != 0;
        return QBrush(spd ? QColor(144, 238, 144) : QColor(173, 216, 230));
    }
};

} // namespace

TFormMedicamentos::TFormMedicamentos(QWidget *parent)
    : TKelvoForm(parent)
    , m_cmbPropios(new QComboBox(this))
    , m_edtNombre(new QLineEdit(this))
    , m_edtCodigo(new QLineEdit(this))
    , m_grdMedicamentos(new QTableView(this))
    , m_modelo(new TModeloMedicamentos(this))
    , m_orden(new QSortFilterProxyModel(this))
    , m_listado(nullptr)
    , m_btnImprimir(Componente<QPushButton>(this, "btnImprimir", QStringLiteral("IMPRIMIR")))
    , m_imgBandera(new TBanderaPais(this))
{
    setObjectName(QStringLiteral("FormMedicamentos"));
    setWindowTitle(QStringLiteral("MEDICAMENTOS"));
    m_cmbPropios->setObjectName(QStringLiteral("cmbPropios"));
    m_cmbPropios->addItems({QStringLiteral("Todos"), QStringLiteral("Si")});
    m_edtNombre->setObjectName(QStringLiteral("edtNombre"));
    m_edtCodigo->setObjectName(QStringLiteral("edtCodigo"));
    m_grdMedicamentos->setObjectName(QStringLiteral("grdMedicamentos"));
    // The query keeps the list in name order; a click on a column title re-sorts it here.
    m_orden->setSourceModel(m_modelo);
    m_orden->setSortCaseSensitivity(Qt::CaseInsensitive);
    m_grdMedicamentos->setModel(m_orden);
    m_listado = new TListadoRejilla(*m_grdMedicamentos, Qt::DescendingOrder);
    m_grdMedicamentos->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdMedicamentos->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdMedicamentos->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto *filtros = new QHBoxLayout;
    auto *lblPropios = new QLabel(QStringLiteral("PROPIOS"), this);
    lblPropios->setObjectName(QStringLiteral("lblPropios"));
    auto *lblNombre = new QLabel(QStringLiteral("NOMBRE"), this);
    lblNombre->setObjectName(QStringLiteral("lblNombre"));
    auto *lblCodigo = new QLabel(QStringLiteral("CN"), this);
    lblCodigo->setObjectName(QStringLiteral("lblCodigo"));
    for (QWidget *widget : std::initializer_list<QWidget *> {lblPropios, m_cmbPropios, lblNombre, m_edtNombre,
                                                             lblCodigo, m_edtCodigo})
        filtros->addWidget(widget);
    filtros->addWidget(m_imgBandera);
    auto *botones = new QHBoxLayout;
    QPushButton *btnNuevo = Componente<QPushButton>(this, "btnNuevo", QStringLiteral("NUEVO"));
    botones->addWidget(btnNuevo);
    QPushButton *btnEditar = Componente<QPushButton>(this, "btnEditar", QStringLiteral("EDITAR"));
    botones->addWidget(btnEditar);
    QPushButton *btnBorrar = Componente<QPushButton>(this, "btnBorrar", QStringLiteral("BORRAR"));
    botones->addWidget(btnBorrar);
    botones->addWidget(m_btnImprimir);
    QPushButton *btnExportar = Componente<QPushButton>(this, "btnExportar", QStringLiteral("EXPORTAR"));
    botones->addWidget(btnExportar);
    auto *lista = new QVBoxLayout;
    lista->addLayout(filtros);
    lista->addWidget(m_grdMedicamentos);
    lista->addLayout(botones);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(new TMenuAdministracion(this));
    layout->addLayout(lista, 1);

    connect(m_cmbPropios, &QComboBox::currentIndexChanged, this, &TFormMedicamentos::Refrescar);
    connect(m_edtNombre, &QLineEdit::textChanged, this, &TFormMedicamentos::Refrescar);
    connect(m_edtCodigo, &QLineEdit::textEdited, this, &TFormMedicamentos::edtCodigoChange);
    connect(m_edtCodigo, &QLineEdit::editingFinished, this, &TFormMedicamentos::edtCodigoExit);
    connect(m_edtCodigo, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
    connect(btnNuevo, &QPushButton::clicked, this, &TFormMedicamentos::btnNuevoClick);
    connect(btnEditar, &QPushButton::clicked, this, &TFormMedicamentos::btnEditarClick);
    connect(m_grdMedicamentos, &QTableView::doubleClicked, this, &TFormMedicamentos::btnEditarClick);
    connect(btnBorrar, &QPushButton::clicked, this, &TFormMedicamentos::btnBorrarClick);
    connect(m_btnImprimir, &QPushButton::clicked, this, [this] {
        m_listado->Imprimir(Traducir(QStringLiteral("CAPTION_LIS_MEDICAMENTOS_PROPIOS"),
                                     QStringLiteral("MEDICAMENTOS CREADOS MANUALMENTE")));
    });
    connect(btnExportar, &QPushButton::clicked, m_listado, &TListadoRejilla::ExportarConDialogo);
    Refrescar();
    m_grdMedicamentos->horizontalHeader()->setSectionResizeMode(kNombre, QHeaderView::Stretch);
}

void TFormMedicamentos::Refrescar()
{
    const qint64 codigo = CodigoSeleccionado();
    const QString nombre = ValoresMostrados::NombreMostradoSql();
    QString sql = QStringLiteral("SELECT idMedicamento, %1 AS MediDescri, PVP, Unidades, Definido, SPD "
                                 "FROM Medicamento WHERE SUBSTR(UPPER(%1), 1, ?) = ?")
                          .arg(nombre);
    const QString prefijo = m_edtNombre->text().toUpper();
    const QVariantList valores {prefijo.size(), prefijo};
    const bool soloPropios = m_cmbPropios->currentIndex() == 1;
    m_btnImprimir->setVisible(soloPropios); // the printed list is the pharmacy's own entries
    if (soloPropios)
        sql += QStringLiteral(" AND iManual = 1");
    sql += QStringLiteral(" ORDER BY UPPER(%1), idMedicamento").arg(nombre);
    QSqlQuery query(DM().database());
    query.prepare(sql);
    for (const QVariant &valor : valores)
        query.addBindValue(valor);
    if (!query.exec())
        throw AppError(query.lastError().text());
    m_modelo->setQuery(std::move(query));
    while (m_modelo->canFetchMore())
        m_modelo->fetchMore();
    m_modelo->setHeaderData(kCodigo, Qt::Horizontal, QStringLiteral("CN"));
    m_modelo->setHeaderData(kNombre, Qt::Horizontal, QStringLiteral("Nombre"));
    m_modelo->setHeaderData(kPVP, Qt::Horizontal, QStringLiteral("PVP"));
    m_modelo->setHeaderData(kUnidades, Qt::Horizontal, QStringLiteral("UNIDADES"));
    m_grdMedicamentos->setColumnHidden(kDefinido, true);
    m_grdMedicamentos->setColumnHidden(kSPD, true);
    if (codigo != 0)
        SeleccionarCodigo(codigo);
}

qint64 TFormMedicamentos::CodigoSeleccionado() const
{
    const QModelIndex actual = m_grdMedicamentos->currentIndex();
    return actual.isValid() ? m_orden->index(actual.row(), kCodigo).data().toLongLong() : 0;
}

bool TFormMedicamentos::SeleccionarCodigo(qint64 codigo)
{
    for (int fila = 0; fila < m_orden->rowCount(); ++fila) {
        if (m_orden->index(fila, kCodigo).data().toLongLong() == codigo) {
            m_grdMedicamentos->selectRow(fila);
            m_grdMedicamentos->setCurrentIndex(m_orden->index(fila, kCodigo));
            return true;
        }
    }
    return false;
}

void TFormMedicamentos::showEvent(QShowEvent *event)
{
    TKelvoForm::showEvent(event);
    m_imgBandera->MostrarPais(Preferencias().Pais);
}

void TFormMedicamentos::edtCodigoChange(const QString &texto)
{
    bool numero = false;
    const qint64 codigo = texto.trimmed().toLongLong(&numero);
    if (numero)
        SeleccionarCodigo(codigo);
}

void TFormMedicamentos::edtCodigoExit()
{
    m_edtCodigo->setText(CortarCodigoEscaneado(m_edtCodigo->text(), Preferencias().Pais));
    edtCodigoChange(m_edtCodigo->text());
}

void TFormMedicamentos::btnNuevoClick()
{
    TDlgMedicamentoEditar editor(0, this);
    if (editor.exec() != QDialog::Accepted)
        return;
    Refrescar();
    SeleccionarCodigo(editor.Codigo());
}

void TFormMedicamentos::btnEditarClick()
{
    // The entry may have changed on another workstation: the list is read again first.
    Refrescar();
    const qint64 codigo = CodigoSeleccionado();
    if (codigo == 0)
        return;
    TDlgMedicamentoEditar editor(codigo, this);
    if (editor.exec() == QDialog::Accepted)
        Refrescar();
}

void TFormMedicamentos::btnBorrarClick()
{
    const qint64 codigo = CodigoSeleccionado();
    if (codigo == 0)
        return;
    TCatalogoMedicamentos catalogo(DM());
    const QString motivo = catalogo.MotivoBorradoImposible(codigo);
    if (!motivo.isEmpty()) {
        MostrarError(motivo);
        return;
    }
    if (Confirmar(Traducir(QStringLiteral("QST_ELIMINAR_MEDICAMENTO"),
                           QStringLiteral("¿ESTA SEGURO QUE QUIERE ELIMINAR EL MEDICAMENTO?")))
        != 1)
        return;
    catalogo.BorrarMedicamento(codigo);
    Refrescar();
}
