#include "ui/stock/FCategoriaEntrega.h"

#include "core/common/Clock.h"
#include "core/data/uDM.h"
#include "core/dosing/UPosologia.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/CargasPendientes.h"
#include "core/settings/uPreferencias.h"
#include "core/stock/InformePendientesReceta.h"
#include "ui/i18n/Componente.h"
#include "ui/reports/Fpreview.h"
#include "ui/shell/TMarcoPantalla.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QTableWidget *Lista(QWidget *padre, const char *nombre, const QStringList &titulos)
{
    auto *lista = Componente<QTableWidget>(padre, nombre);
    lista->setColumnCount(int(titulos.size()));
    lista->setHorizontalHeaderLabels(titulos);
    lista->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lista->setSelectionBehavior(QAbstractItemView::SelectRows);
    lista->verticalHeader()->hide();
    lista->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    return lista;
}

void Llenar(QTableWidget &lista, const QList<QStringList> &filas)
{
    lista.setRowCount(0);
    lista.setRowCount(int(filas.size()));
    for (int fila = 0; fila < filas.size(); ++fila) {
        for (int columna = 0; columna < filas.at(fila).size(); ++columna)
            lista.setItem(fila, columna, new QTableWidgetItem(filas.at(fila).at(columna)));
    }
}

// A group box with its title, holding the components one below the other.
QGroupBox *Grupo(QWidget *padre, const char *nombre, const QString &titulo,
                 const QList<QWidget *> &componentes)
{
    auto *grupo = Componente<QGroupBox>(padre, nombre);
    grupo->setTitle(titulo);
    auto *disposicion = new QVBoxLayout(grupo);
    for (QWidget *componente : componentes)
        disposicion->addWidget(componente);
    return grupo;
}

} // namespace

TFormCategoriaEntrega::TFormCategoriaEntrega(QWidget *parent)
    : TPantalla(parent)
    , m_lblCategoria(Componente<QLabel>(this, "lblCategoria"))
    , m_lstFechas(Componente<QListWidget>(this, "lstFechas"))
    , m_cargas(this, true)
    , m_edtCodigo(Componente<QLineEdit>(this, "edtCodigo"))
    , m_pnlRecetas(Componente<QWidget>(this, "pnlRecetas"))
    , m_grdPacientes(Lista(this, "grdPacientesReceta", {QStringLiteral("NOMBRE"), QStringLiteral("ESTADO")}))
    , m_grdMedicamentos(
              Lista(this, "grdMedicamentosReceta",
                    {QStringLiteral("MEDICAMENTO"), QStringLiteral("ESTADO"), QStringLiteral("CANTIDAD")}))
    , m_btnImprimirStock(Componente<QPushButton>(this, "btnImprimirStock", QStringLiteral("IMPRIMIR STOCK")))
{
    setObjectName(QStringLiteral("FormCategoriaEntrega"));

    auto *lblCodigo = Componente<QLabel>(this, "lblCodigo", QStringLiteral("CODIGO BLISTER"));
    auto *btnEntregar = Componente<QPushButton>(this, "btnEntregar", QStringLiteral("ENTREGAR"));
    auto *btnEntregarTodos
            = Componente<QPushButton>(this, "btnEntregarTodos", QStringLiteral("ENTREGAR TODOS"));
    auto *btnImprimirPacientes
            = Componente<QPushButton>(this, "btnImprimirPacientes", QStringLiteral("IMPRIMIR"));
    auto *btnImprimirMedicamentos
            = Componente<QPushButton>(this, "btnImprimirMedicamentos", QStringLiteral("IMPRIMIR"));
    auto *btnVolver = Componente<QPushButton>(this, "btnVolver", QStringLiteral("VOLVER"));

    auto *codigo = new QWidget(this);
    auto *filaCodigo = new QHBoxLayout(codigo);
    filaCodigo->setContentsMargins(0, 0, 0, 0);
    for (QWidget *componente :
         std::initializer_list<QWidget *> {lblCodigo, m_edtCodigo, btnEntregar, btnEntregarTodos})
        filaCodigo->addWidget(componente);
    filaCodigo->addStretch();
    auto *cargas = new QHBoxLayout;
    cargas->addWidget(Grupo(this, "grpFechas", QStringLiteral("CARGAS  REALIZADAS"), {m_lstFechas}));
    cargas->addWidget(Grupo(this, "grpCargas", QStringLiteral("BLISTER PENDIENTE DE ENTREGA"),
                            {m_cargas.Rejilla(), codigo}),
                      1);

    auto *recetas = new QHBoxLayout(m_pnlRecetas);
    recetas->setContentsMargins(0, 0, 0, 0);
    recetas->addWidget(Grupo(m_pnlRecetas, "grpPacientesReceta",
                             QStringLiteral("PACIENTES CON MEDICAMENTOS PENDIENTES DE RECETA"),
                             {m_grdPacientes, btnImprimirPacientes}));
    recetas->addWidget(Grupo(m_pnlRecetas, "grpMedicamentosReceta",
                             QStringLiteral("MEDICAMENTOS PENDIENTES DE RECETA"),
                             {m_grdMedicamentos, btnImprimirMedicamentos}));

    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(m_btnImprimirStock);
    botones->addWidget(btnVolver);

    auto *marco = new TMarcoPantalla(this);
    auto *pantalla = new QVBoxLayout(this);
    pantalla->setContentsMargins(0, 0, 0, 0);
    pantalla->addWidget(marco);
    auto *contenido = new QVBoxLayout(marco->Contenido());
    contenido->addWidget(m_lblCategoria);
    contenido->addLayout(cargas, 1);
    contenido->addWidget(m_pnlRecetas, 1);
    contenido->addLayout(botones);

    connect(m_lstFechas, &QListWidget::currentRowChanged, this, &TFormCategoriaEntrega::RefrescarCargas);
    connect(m_cargas.Rejilla(), &QTableWidget::cellClicked, this,
            [this](int fila) { m_edtCodigo->setText(CodigoBlister(m_cargas.Cargas().at(fila))); });
    connect(btnEntregar, &QPushButton::clicked, this, &TFormCategoriaEntrega::btnEntregarClick);
    connect(m_edtCodigo, &QLineEdit::returnPressed, this, &TFormCategoriaEntrega::btnEntregarClick);
    connect(btnEntregarTodos, &QPushButton::clicked, this, &TFormCategoriaEntrega::btnEntregarTodosClick);
    connect(btnImprimirPacientes, &QPushButton::clicked, this,
            &TFormCategoriaEntrega::btnImprimirPacientesClick);
    connect(btnImprimirMedicamentos, &QPushButton::clicked, this,
            &TFormCategoriaEntrega::btnImprimirMedicamentosClick);
    connect(m_btnImprimirStock, &QPushButton::clicked, this, &TFormCategoriaEntrega::btnImprimirStockClick);
    connect(btnVolver, &QPushButton::clicked, this, &TFormCategoriaEntrega::volver);
}

void TFormCategoriaEntrega::AlMostrar()
{
    setWindowTitle(Traducir(QStringLiteral("CAPTION_ENTREGA_BLISTER"), QStringLiteral("Entrega Blister")));
    m_lblCategoria->setText(NombreCategoria());
    // The latest date is chosen each time the screen opens.
    Refrescar({});
    // Stock is not kept in the United Kingdom: nothing there to ask prescriptions for.
    const bool conStock = Preferencias().NoReinoUnido;
    m_pnlRecetas->setVisible(conStock);
    m_recetas = conStock && Categoria() ? PendientesDeRecetaCategoria(DM(), *Categoria())
                                        : QList<TPendienteReceta> {};
    MostrarRecetas();
    m_btnImprimirStock->setVisible(Lenguaje().ModoDesarrollo());
    m_edtCodigo->clear();
    m_edtCodigo->setFocus();
}

QDate TFormCategoriaEntrega::FechaElegida() const
{
    const QListWidgetItem *elegida = m_lstFechas->currentItem();
    return elegida ? elegida->data(Qt::UserRole).toDate() : QDate();
}

void TFormCategoriaEntrega::btnEntregarClick()
{
    const QString codigo = m_edtCodigo->text().trimmed();
    if (codigo.isEmpty() || !Categoria())
        return;
    // Read again, so that a load stored meanwhile by another workstation is found too.
    RefrescarCargas();
    m_entrega.EntregarCodigo(codigo, m_cargas.Cargas(),
                             TAmbitoEntrega::Categoria(*Categoria(), FechaElegida()));
    Refrescar(FechaElegida());
    m_edtCodigo->clear();
    m_edtCodigo->setFocus();
}

void TFormCategoriaEntrega::btnEntregarTodosClick()
{
    m_entrega.EntregarTodas(m_cargas.Cargas());
    Refrescar(FechaElegida());
}

void TFormCategoriaEntrega::btnImprimirPacientesClick()
{
    if (!m_recetas.isEmpty())
        TFormPreview::Mostrar(InformePacientesPendientes(NombreCategoria(), m_recetas,
                                                         MembreteFarmacia(Preferencias()), Clock::today()));
}

void TFormCategoriaEntrega::btnImprimirMedicamentosClick()
{
    if (!m_recetas.isEmpty())
        TFormPreview::Mostrar(InformeMedicamentosPendientes(
                NombreCategoria(), m_recetas, MembreteFarmacia(Preferencias()), Clock::today()));
}

void TFormCategoriaEntrega::btnImprimirStockClick()
{
    if (!Categoria())
        return;
    TFormPreview::Mostrar(
            InformeStock(NombreCategoria(), {},
                         FilasInformeStockCategoria(StockCategoria(DM(), *Categoria()), NombreCategoria()),
                         MembreteFarmacia(Preferencias()), Clock::today()));
}

void TFormCategoriaEntrega::Refrescar(const QDate &elegida)
{
    const QList<QDate> fechas = Categoria() ? FechasPendientesCategoria(DM(), *Categoria()) : QList<QDate> {};
    {
        const QSignalBlocker bloqueo(m_lstFechas);
        m_lstFechas->clear();
        for (const QDate &fecha : fechas) {
            auto *item = new QListWidgetItem(TextoFecha(fecha), m_lstFechas);
            item->setData(Qt::UserRole, fecha);
        }
        const qsizetype fila = fechas.indexOf(elegida);
        m_lstFechas->setCurrentRow(fechas.isEmpty() ? -1 : int(qMax<qsizetype>(fila, 0)));
    }
    RefrescarCargas();
}

void TFormCategoriaEntrega::RefrescarCargas()
{
    const QDate fecha = FechaElegida();
    m_cargas.Mostrar(Categoria() && fecha.isValid() ? CargasPendientesCategoria(DM(), *Categoria(), fecha)
                                                    : QList<TFilaCarga> {});
}

void TFormCategoriaEntrega::MostrarRecetas()
{
    const QLocale local;
    QList<QStringList> pacientes;
    for (const TPacientePendiente &paciente : PacientesPendientes(m_recetas))
        pacientes << QStringList {paciente.Nombre, paciente.Estado};
    Llenar(*m_grdPacientes, pacientes);
    QList<QStringList> medicamentos;
    for (const TMedicamentoPendiente &medicamento : MedicamentosPendientes(m_recetas))
        medicamentos << QStringList {medicamento.Medicamento, medicamento.Estado,
                                     local.toString(medicamento.Cantidad)};
    Llenar(*m_grdMedicamentos, medicamentos);
}

std::optional<int> TFormCategoriaEntrega::Categoria() const
{
    return DM().Categoria ? std::optional<int>(DM().Categoria->Codigo) : std::nullopt;
}

QString TFormCategoriaEntrega::NombreCategoria() const
{
    return Categoria() ? DM().DescripcionCategoria(QString::number(*Categoria())) : QString();
}
