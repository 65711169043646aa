#include "ui/patients/FPacientes.h"

#include "core/data/ManejadorErrores.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/patients/ActividadPaciente.h"
#include "core/patients/BorrarPaciente.h"
#include "core/patients/TarjetasPaciente.h"
#include "core/settings/uPreferencias.h"
#include "core/shell/uLog.h"
#include "ui/i18n/Componente.h"
#include "ui/reports/Fpreview.h"
#include "ui/reports/ListadoRejilla.h"
#include "ui/shell/ComboCategorias.h"
#include "ui/shell/FMain.h"
#include "ui/shell/FPaciente.h"
#include "ui/shell/Mensajes.h"
#include "ui/shell/TMenuAdministracion.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

enum Columna { kIdentificador, kNombre, kDNI, kActivo, kCategoria, kTelefono, kColumnas };

// Kept on the first cell of each row, so that a row still names its patient once sorted.
constexpr int kRolId = Qt::UserRole + 1;
constexpr int kRolActivo = Qt::UserRole + 2;

const QColor kInactivo(Qt::red);

void NoDisponible()
{
    MostrarAviso(Traducir(QStringLiteral("WRN_OPCION_NO_DISPONIBLE"),
                          QStringLiteral("ESTA OPCION AUN NO ESTA DISPONIBLE")));
}

void NoImplementado(const QString &funcion)
{
    MostrarAviso(Traducir(QStringLiteral("MSG_NOT_IMPLEMENTED"), QStringLiteral("NOT IMPLEMENTED: "))
                 + funcion);
}

} // namespace

TFormPacientes::TFormPacientes(QWidget *parent)
    : TPantalla(parent)
    , m_cmbActivo(Componente<QComboBox>(this, "cmbActivo"))
    , m_cmbCategoria(Componente<TComboCategorias>(this, "cmbCategoria"))
    , m_edtBuscarReferencia(Componente<QLineEdit>(this, "edtBuscarReferencia"))
    , m_edtBuscarNombre(Componente<QLineEdit>(this, "edtBuscarNombre"))
    , m_edtBuscarDNI(Componente<QLineEdit>(this, "edtBuscarDNI"))
    , m_grdPacientes(Componente<QTableView>(this, "grdPacientes"))
    , m_modelo(new QStandardItemModel(0, kColumnas, this))
    , m_listado(nullptr)
    , m_btnBaja(Componente<QPushButton>(this, "btnBaja", QStringLiteral("BAJA")))
{
    setObjectName(QStringLiteral("FormPacientes"));
    setWindowTitle(QStringLiteral("PACIENTES"));
    // In the order of TFiltroPacientes::TActividad.
    m_cmbActivo->addItems({QStringLiteral("No"), QStringLiteral("Si"), QStringLiteral("Todos")});
    m_cmbActivo->setCurrentIndex(int(TFiltroPacientes::TActividad::Si));
    m_modelo->setHorizontalHeaderLabels({QStringLiteral("IDENTIFICADOR"), QStringLiteral("NOMBRE"),
                                         QStringLiteral("DNI"), QStringLiteral("ACTIVO"),
                                         QStringLiteral("CATEGORIA"), QStringLiteral("TELEFONO")});
    m_grdPacientes->setModel(m_modelo);
    m_listado = new TListadoRejilla(*m_grdPacientes, Qt::DescendingOrder);
    m_grdPacientes->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdPacientes->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grdPacientes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdPacientes->horizontalHeader()->setSectionResizeMode(kNombre, QHeaderView::Stretch);

    auto *filtros = new QHBoxLayout;
    filtros->addWidget(Componente<QLabel>(this, "lblActivo", QStringLiteral("ACTIVO")));
    filtros->addWidget(m_cmbActivo);
    filtros->addWidget(Componente<QLabel>(this, "lblCategoria", QStringLiteral("CATEGORIA")));
    filtros->addWidget(m_cmbCategoria, 1);
    auto *busqueda = new QHBoxLayout;
    const auto anadirBusqueda
            = [&](const char *etiqueta, const QString &texto, QLineEdit *caja, int columna) {
                  auto *lbl = Componente<QLabel>(this, etiqueta, texto);
                  lbl->installEventFilter(this);
                  m_etiquetasOrden.insert(lbl, columna);
                  busqueda->addWidget(lbl);
                  busqueda->addWidget(caja);
              };
    anadirBusqueda("lblBuscarReferencia", QStringLiteral("IDENTIFICADOR"), m_edtBuscarReferencia,
                   kIdentificador);
    anadirBusqueda("lblBuscarNombre", QStringLiteral("NOMBRE"), m_edtBuscarNombre, kNombre);
    anadirBusqueda("lblBuscarDNI", QStringLiteral("DNI"), m_edtBuscarDNI, kDNI);

    auto *btnNuevo = Componente<QPushButton>(this, "btnNuevo", QStringLiteral("NUEVO"));
    auto *btnEditar = Componente<QPushButton>(this, "btnEditar", QStringLiteral("EDITAR"));
    auto *btnBorrar = Componente<QPushButton>(this, "btnBorrar", QStringLiteral("BORRAR"));
    auto *btnImprimir = Componente<QPushButton>(this, "btnImprimir", QStringLiteral("IMPRIMIR"));
    auto *btnTarjetas = Componente<QPushButton>(this, "btnTarjetas", QStringLiteral("TARJETAS"));
    auto *btnImportar = Componente<QPushButton>(this, "btnImportar", QStringLiteral("IMPORTAR"));
    auto *btnExportar = Componente<QPushButton>(this, "btnExportar", QStringLiteral("EXPORTAR"));
    btnImportar->hide();
    btnExportar->hide();
    auto *botones = new QHBoxLayout;
    for (QPushButton *boton :
         {btnNuevo, btnEditar, m_btnBaja, btnBorrar, btnImprimir, btnTarjetas, btnImportar, btnExportar})
        botones->addWidget(boton);

    auto *lista = new QVBoxLayout;
    lista->addLayout(filtros);
    lista->addLayout(busqueda);
    lista->addWidget(m_grdPacientes, 1);
    lista->addLayout(botones);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(new TMenuAdministracion(this));
    layout->addLayout(lista, 1);

    connect(m_cmbActivo, &QComboBox::currentIndexChanged, this, &TFormPacientes::Refrescar);
    connect(m_cmbCategoria, &QComboBox::currentIndexChanged, this, &TFormPacientes::Refrescar);
    connect(m_edtBuscarReferencia, &QLineEdit::textChanged, this,
            [this](const QString &texto) { Buscar(kIdentificador, texto); });
    connect(m_edtBuscarNombre, &QLineEdit::textChanged, this,
            [this](const QString &texto) { Buscar(kNombre, texto); });
    connect(m_edtBuscarDNI, &QLineEdit::textChanged, this,
            [this](const QString &texto) { Buscar(kDNI, texto); });
    connect(m_grdPacientes->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TFormPacientes::ActualizarBotonBaja);
    connect(m_grdPacientes, &QTableView::doubleClicked, this, &TFormPacientes::grdPacientesDblClick);
    connect(btnNuevo, &QPushButton::clicked, this, &TFormPacientes::btnNuevoClick);
    connect(btnEditar, &QPushButton::clicked, this, &TFormPacientes::btnEditarClick);
    connect(m_btnBaja, &QPushButton::clicked, this, &TFormPacientes::btnBajaClick);
    connect(btnBorrar, &QPushButton::clicked, this, &TFormPacientes::btnBorrarClick);
    connect(btnImprimir, &QPushButton::clicked, this, &TFormPacientes::btnImprimirClick);
    connect(btnTarjetas, &QPushButton::clicked, this, &TFormPacientes::btnTarjetasClick);
    connect(btnImportar, &QPushButton::clicked, this, [] {
        NoImplementado(
                Traducir(QStringLiteral("NIP_IMPORTAR_PACIENTES"), QStringLiteral("IMPORTAR PACIENTES ")));
    });
    connect(btnExportar, &QPushButton::clicked, this, [] {
        NoImplementado(Traducir(QStringLiteral("NIP_REALIZAR_BACKUP"), QStringLiteral("REALIZAR BACKUP")));
    });
}

void TFormPacientes::AlMostrar()
{
    Refrescar();
}

bool TFormPacientes::eventFilter(QObject *objeto, QEvent *evento)
{
    if (evento->type() == QEvent::MouseButtonDblClick && m_etiquetasOrden.contains(objeto)) {
        emit m_grdPacientes->horizontalHeader()->sectionClicked(m_etiquetasOrden.value(objeto));
        return true;
    }
    return TPantalla::eventFilter(objeto, evento);
}

void TFormPacientes::Refrescar()
{
    const qint64 id = idSeleccionado();
    const int fila = m_grdPacientes->currentIndex().row();
    m_cmbCategoria->Llenar();
    LlenarRejilla(LeerListaPacientes(DM(), Filtro()));
    m_listado->Reordenar();
    // A patient no longer listed (deactivated under the "Si" filter, deleted) leaves the
    // selection on the row that took its place; the first time, on the first row.
    if (!SeleccionarId(id))
        SeleccionarFila(std::min(std::max(fila, 0), m_modelo->rowCount() - 1));
    ActualizarBotonBaja();
}

TFiltroPacientes TFormPacientes::Filtro() const
{
    TFiltroPacientes filtro;
    filtro.actividad = TFiltroPacientes::TActividad(m_cmbActivo->currentIndex());
    if (const QVariant categoria = m_cmbCategoria->currentData(); categoria.isValid())
        filtro.categoria = categoria.toInt();
    return filtro;
}

void TFormPacientes::LlenarRejilla(const QList<TFilaListaPacientes> &filas)
{
    m_modelo->removeRows(0, m_modelo->rowCount());
    for (const TFilaListaPacientes &fila : filas) {
        QList<QStandardItem *> celdas {
                new QStandardItem(fila.refPaciente),   new QStandardItem(fila.Nombre),
                new QStandardItem(fila.DNI),           new QStandardItem(fila.ActivoText),
                new QStandardItem(fila.CategoriaText), new QStandardItem(fila.Telefono)};
        celdas.first()->setData(fila.idPaciente, kRolId);
        celdas.first()->setData(fila.activo, kRolActivo);
        if (!fila.activo) {
            for (QStandardItem *celda : celdas)
                celda->setForeground(kInactivo);
        }
        m_modelo->appendRow(celdas);
    }
}

qint64 TFormPacientes::idSeleccionado() const
{
    const QModelIndex actual = m_grdPacientes->currentIndex();
    return actual.isValid() ? m_modelo->index(actual.row(), kIdentificador).data(kRolId).toLongLong() : 0;
}

QList<qint64> TFormPacientes::IdsListados() const
{
    QList<qint64> ids;
    for (int fila = 0; fila < m_modelo->rowCount(); ++fila)
        ids << m_modelo->index(fila, kIdentificador).data(kRolId).toLongLong();
    return ids;
}

bool TFormPacientes::SeleccionarId(qint64 id)
{
    if (id == 0)
        return false;
    const int fila = int(IdsListados().indexOf(id));
    if (fila < 0)
        return false;
    SeleccionarFila(fila);
    return true;
}

void TFormPacientes::SeleccionarFila(int fila)
{
    if (fila < 0 || fila >= m_modelo->rowCount())
        return;
    m_grdPacientes->setCurrentIndex(m_modelo->index(fila, kIdentificador));
    m_grdPacientes->selectRow(fila);
}

void TFormPacientes::Buscar(int columna, const QString &texto)
{
    for (int fila = 0; fila < m_modelo->rowCount(); ++fila) {
        if (m_modelo->index(fila, columna).data().toString().startsWith(texto, Qt::CaseInsensitive)) {
            SeleccionarFila(fila);
            return;
        }
    }
}

void TFormPacientes::ActualizarBotonBaja()
{
    const QModelIndex actual = m_grdPacientes->currentIndex();
    const bool activo
            = !actual.isValid() || m_modelo->index(actual.row(), kIdentificador).data(kRolActivo).toBool();
    m_btnBaja->setText(activo ? Traducir(QStringLiteral("STR_BAJA"), QStringLiteral("BAJA"))
                              : Traducir(QStringLiteral("STR_ALTA"), QStringLiteral("ALTA")));
}

void TFormPacientes::grdPacientesDblClick(const QModelIndex &indice)
{
    if (!indice.isValid() || !m_modelo->index(indice.row(), kIdentificador).data(kRolActivo).toBool())
        return;
    const qint64 id = m_modelo->index(indice.row(), kIdentificador).data(kRolId).toLongLong();
    // Read again: another workstation may have deactivated or deleted the patient.
    TDM &dm = DM();
    if (!dm.PacienteActivoPorId(QString::number(id)) || dm.PacienteActivo->Iactivo == 0) {
        dm.PacienteActivo.reset();
        dm.idPacienteActivo = 0;
        Refrescar();
        return;
    }
    Log(QStringLiteral(": PACI:") + QString::number(id));
    // The hub's "VOLVER" comes back here.
    FormInicio().Marcas = TMarcasSesion {false, true};
    FormInicio().AbrirPantalla<TFormPaciente>();
}

void TFormPacientes::btnNuevoClick()
{
    if (!OnNuevoPaciente) {
        NoDisponible();
        return;
    }
    const QList<qint64> antes = IdsListados();
    const bool guardado = OnNuevoPaciente();
    Refrescar();
    if (!guardado)
        return;
    // The new patient: the highest identifier that was not listed before (the last row while
    // the list is in its own order).
    qint64 nuevo = 0;
    for (const qint64 id : IdsListados()) {
        if (!antes.contains(id))
            nuevo = std::max(nuevo, id);
    }
    if (!SeleccionarId(nuevo))
        SeleccionarFila(m_modelo->rowCount() - 1);
    ActualizarBotonBaja();
}

void TFormPacientes::btnEditarClick()
{
    const qint64 id = idSeleccionado();
    if (id == 0)
        return;
    if (!OnEditarPaciente) {
        NoDisponible();
        return;
    }
    OnEditarPaciente(id);
    // Also when the card was left without storing: another workstation may have changed the list.
    Refrescar();
}

void TFormPacientes::btnBajaClick()
{
    const QModelIndex actual = m_grdPacientes->currentIndex();
    if (!actual.isValid())
        return;
    const qint64 id = idSeleccionado();
    const bool activo = m_modelo->index(actual.row(), kIdentificador).data(kRolActivo).toBool();
    ManejadorErrores::Proteger([&] { CambiarActividadPaciente(DM(), id, !activo); });
    Refrescar();
}

void TFormPacientes::btnBorrarClick()
{
    const qint64 id = idSeleccionado();
    if (id == 0)
        return;
    if (Confirmar(Traducir(QStringLiteral("QST_ELIMINAR_PACIENTE"),
                           QStringLiteral("¿ESTA SEGURO QUE QUIERE ELIMINAR EL PACIENTE?")))
        != 1)
        return;
    TBorradoPaciente::TResultado resultado = TBorradoPaciente::TResultado::NoExiste;
    const bool hecho = ManejadorErrores::Proteger(
            [&] { resultado = TBorradoPaciente(DM()).Borrar(id, windowTitle()); });
    if (hecho) {
        if (const QString mensaje = TBorradoPaciente::Mensaje(resultado); !mensaje.isEmpty())
            MostrarError(mensaje);
    }
    Refrescar();
}

void TFormPacientes::btnImprimirClick()
{
    m_listado->Imprimir(Traducir(QStringLiteral("CAPTION_LIS_LISTADO_DE_PACIENTES"),
                                 QStringLiteral("LISTADO DE PACIENTES")));
}

void TFormPacientes::btnTarjetasClick()
{
    QList<int> filas;
    for (const QModelIndex &indice : m_grdPacientes->selectionModel()->selectedRows())
        filas << indice.row();
    if (filas.isEmpty())
        return;
    std::sort(filas.begin(), filas.end()); // in the order the grid shows them
    QList<TDatosTarjeta> tarjetas;
    for (const int fila : filas) {
        tarjetas.append({m_modelo->index(fila, kIdentificador).data(kRolId).toLongLong(),
                         m_modelo->index(fila, kIdentificador).data().toString(),
                         m_modelo->index(fila, kNombre).data().toString()});
    }
    TFormPreview::Mostrar(InformeTarjetasPacientes(tarjetas, Preferencias().Pais));
}
