#include "ui/loading/FCategoriaCarga.h"

#include "core/common/Clock.h"
#include "core/data/ManejadorErrores.h"
#include "core/data/uDM.h"
#include "core/dispenser/UDispenserTCP.h"
#include "core/loading/VentanaCarga.h"
#include "core/settings/uPreferencias.h"
#include "ui/i18n/Componente.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace RejillasCarga;

namespace {

const QColor kVerde(0, 128, 0);
const QColor kTituloOrdenado(139, 0, 0);

QColor ColorDeFila(TColorFila color)
{
    switch (color) {
    case TColorFila::Completado:
        return kVerde;
    case TColorFila::Incorrecto:
        return Qt::red;
    case TColorFila::Normal:
        break;
    }
    return {};
}

} // namespace

TFormCategoriaCarga::TFormCategoriaCarga(QWidget *parent, TDialogosCarga *dialogos)
    : TKelvoForm(parent)
    , m_dialogosPropios(dialogos ? nullptr : std::make_unique<TDialogosPantallaCarga>(this))
    , m_ronda(std::make_unique<TRondaCategoria>(DM(), Dispenser(), dialogos ? *dialogos : *m_dialogosPropios))
    , m_lblCategoria(Componente<QLabel>(this, "lblCategoria"))
    , m_edtFechaInicio(Componente<QLineEdit>(this, "edtFechaInicio"))
    , m_btnCalendarioInicio(Componente<QPushButton>(this, "btnCalendarioInicio", QStringLiteral("...")))
    , m_lblConexion(Componente<QLabel>(this, "lblConexion"))
    , m_lstCargasAnteriores(Componente<QListWidget>(this, "lstCargasAnteriores"))
    , m_grdPacientes(
              Rejilla(this, "grdPacientes",
                      {QStringLiteral("RefPaciente"), QStringLiteral("Nombre"), QStringLiteral("Estado"),
                       QStringLiteral("IdPaciente"), QStringLiteral("FechaCarga"),
                       QStringLiteral("EstadoCode"), QStringLiteral("Icorrect")},
                      kPacNombre))
    , m_grdMedicamentos(RejillaMedicamentos(this))
    , m_grdOtros(RejillaOtros(this))
    , m_lblEstado(Componente<QLabel>(this, "lblEstado"))
    , m_lblProgreso(Componente<QLabel>(this, "lblProgreso"))
    , m_btnInicio(Componente<QPushButton>(this, "btnInicio", QStringLiteral("INICIO")))
    , m_btnDetener(Componente<QPushButton>(this, "btnDetener", QStringLiteral("DETENER")))
    , m_btnEtiquetas(Componente<QPushButton>(this, "btnEtiquetas", QStringLiteral("ETIQUETAS")))
    , m_btnGuardarCarga(Componente<QPushButton>(this, "btnGuardarCarga", QStringLiteral("GUARDAR CARGA")))
    , m_btnVolver(Componente<QPushButton>(this, "btnVolver", QStringLiteral("VOLVER")))
{
    setObjectName(QStringLiteral("FormCategoriaCarga"));
    setWindowTitle(QStringLiteral("CARGA DE LA CATEGORIA"));
    for (int columna = kPacIdPaciente; columna < kColumnasPaciente; ++columna)
        m_grdPacientes->setColumnHidden(columna, true);
    m_grdPacientes->horizontalHeader()->setSectionsClickable(true);
    // The medication's stock figure beside its name; the blister picture is not needed here.
    m_grdMedicamentos->setColumnHidden(kColSPD, true);
    m_grdMedicamentos->setColumnHidden(kColInventario, false);
    m_grdMedicamentos->horizontalHeader()->moveSection(kColInventario, kColCarga);
    m_grdOtros->hide();
    m_lblConexion->setAlignment(Qt::AlignCenter);
    TextosDeCodigo(*m_lblConexion); // the state of the machine and of the run
    TextosDeCodigo(*m_lblEstado);
    m_lblConexion->setMinimumWidth(140);
    m_lstCargasAnteriores->setMaximumWidth(140);

    auto *fechas = new QHBoxLayout;
    fechas->addWidget(m_lblCategoria);
    fechas->addSpacing(16);
    fechas->addWidget(Componente<QLabel>(this, "lblFechaInicio", QStringLiteral("FECHA INICIO")));
    fechas->addWidget(m_edtFechaInicio);
    fechas->addWidget(m_btnCalendarioInicio);
    fechas->addStretch();
    fechas->addWidget(m_lblConexion);

    auto *anteriores = new QVBoxLayout;
    anteriores->addWidget(
            Componente<QLabel>(this, "lblCargasAnteriores", QStringLiteral("CARGAS ANTERIORES")));
    anteriores->addWidget(m_lstCargasAnteriores);

    // The titles above the list sort it too, on a double click.
    auto *titulos = new QHBoxLayout;
    const QList<std::pair<const char *, QString>> etiquetas {
            {"lblRef", QStringLiteral("REF")},
            {"lblPacientes", QStringLiteral("PACIENTE")},
            {"lblEstadoPacientes", QStringLiteral("ESTADO")}};
    for (int i = 0; i < etiquetas.size(); ++i) {
        auto *etiqueta = Componente<QLabel>(this, etiquetas.at(i).first, etiquetas.at(i).second);
        etiqueta->installEventFilter(this);
        m_etiquetasOrden.insert(etiqueta, TColumnaPacientes(i));
        titulos->addWidget(etiqueta);
    }
    auto *pacientes = new QVBoxLayout;
    pacientes->addLayout(titulos);
    pacientes->addWidget(m_grdPacientes);

    auto *listas = new QHBoxLayout;
    listas->addLayout(anteriores);
    listas->addLayout(pacientes, 2);
    listas->addWidget(m_grdMedicamentos, 3);

    auto *acciones = new QHBoxLayout;
    acciones->addWidget(m_lblEstado);
    acciones->addWidget(m_lblProgreso, 1);
    acciones->addWidget(m_btnInicio);
    acciones->addWidget(m_btnDetener);
    acciones->addWidget(m_btnEtiquetas);
    acciones->addWidget(m_btnGuardarCarga);
    acciones->addWidget(m_btnVolver);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fechas);
    layout->addLayout(listas, 1);
    layout->addWidget(m_grdOtros);
    layout->addLayout(acciones);

    TSesionCarga &sesion = m_ronda->Sesion();
    connect(m_btnInicio, &QPushButton::clicked, this, &TFormCategoriaCarga::btnInicioClick);
    connect(m_btnDetener, &QPushButton::clicked, m_ronda.get(), &TRondaCategoria::Detener);
    connect(m_btnEtiquetas, &QPushButton::clicked, &sesion, &TSesionCarga::ImprimirEtiquetas);
    connect(m_btnGuardarCarga, &QPushButton::clicked, &sesion, &TSesionCarga::GuardarCargaLlenada);
    connect(m_btnVolver, &QPushButton::clicked, this, &TFormCategoriaCarga::btnVolverClick);
    connect(m_btnCalendarioInicio, &QPushButton::clicked, this, &TFormCategoriaCarga::btnCalendarioClick);
    connect(m_edtFechaInicio, &QLineEdit::editingFinished, this, &TFormCategoriaCarga::FechaEditada);
    connect(m_lstCargasAnteriores, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { lstCargasAnterioresClick(m_lstCargasAnteriores->row(item)); });
    connect(m_grdPacientes, &QTableWidget::cellClicked, this,
            [this](int fila, int) { m_ronda->MostrarPaciente(fila); });
    connect(m_grdPacientes->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int columna) {
        if (columna <= kPacEstado)
            m_ronda->Ordenar(TColumnaPacientes(columna));
    });
    connect(m_grdMedicamentos, &QTableWidget::cellDoubleClicked, this,
            [this](int fila, int) { grdMedicamentosDblClick(fila); });
    connect(m_ronda.get(), &TRondaCategoria::listaCambiada, this, &TFormCategoriaCarga::MostrarLista);
    connect(m_ronda.get(), &TRondaCategoria::rondaCambiada, this, &TFormCategoriaCarga::MostrarEstado);
    connect(&sesion, &TSesionCarga::cargaCambiada, this, &TFormCategoriaCarga::MostrarCarga);
    connect(&sesion, &TSesionCarga::estadoCambiado, this, &TFormCategoriaCarga::MostrarEstado);
    connect(&sesion, &TSesionCarga::conexionCambiada, this,
            [this](bool conectado) { MostrarConexion(*m_lblConexion, conectado); });
    MostrarEstado();
    MostrarConexion(*m_lblConexion, false);
}

TFormCategoriaCarga::~TFormCategoriaCarga()
{
    // Closing the window takes the focus from the date field, whose "editing finished" must not
    // reach the run, which goes first.
    m_edtFechaInicio->disconnect(this);
}

void TFormCategoriaCarga::AbrirCargaCategoria()
{
    if (!DM().Categoria)
        return;
    const int codigo = DM().Categoria->Codigo;
    ManejadorErrores::Proteger(
            [&] { m_lblCategoria->setText(DM().DescripcionCategoria(QString::number(codigo))); });
    m_ronda->Abrir(codigo);
    MostrarLista();
    MostrarEstado();
}

bool TFormCategoriaCarga::eventFilter(QObject *objeto, QEvent *evento)
{
    if (evento->type() == QEvent::MouseButtonDblClick && m_etiquetasOrden.contains(objeto)) {
        m_ronda->Ordenar(m_etiquetasOrden.value(objeto));
        return true;
    }
    return TKelvoForm::eventFilter(objeto, evento);
}

void TFormCategoriaCarga::btnInicioClick()
{
    if (m_edtFechaInicio->text() != m_ronda->TextoFecha())
        m_ronda->CambiarFecha(m_edtFechaInicio->text());
    if (m_ronda->Iniciar() == TResultadoInicio::FechaInicioInvalida)
        m_edtFechaInicio->setFocus();
}

void TFormCategoriaCarga::btnVolverClick()
{
    if (m_ronda->Salir())
        emit volver();
}

void TFormCategoriaCarga::btnCalendarioClick()
{
    QDate fecha = LeerFechaCampo(m_edtFechaInicio->text());
    if (!fecha.isValid())
        fecha = Clock::today();
    if (const std::optional<QDate> elegida = ElegirFecha(this, fecha)) {
        m_edtFechaInicio->setText(TextoFechaCampo(*elegida));
        m_ronda->CambiarFecha(m_edtFechaInicio->text());
    }
}

void TFormCategoriaCarga::FechaEditada()
{
    if (m_edtFechaInicio->text() != m_ronda->TextoFecha())
        m_ronda->CambiarFecha(m_edtFechaInicio->text());
}

void TFormCategoriaCarga::lstCargasAnterioresClick(int fila)
{
    if (fila < 0 || fila >= m_ronda->Anteriores().size())
        return;
    m_edtFechaInicio->setText(TextoFechaCampo(m_ronda->Anteriores().at(fila)));
    m_ronda->CambiarFecha(m_edtFechaInicio->text());
}

void TFormCategoriaCarga::grdMedicamentosDblClick(int fila)
{
    if (!OnStockMedicamento || !Preferencias().PaisConStock() || m_grdMedicamentos->rowCount() == 0
        || !m_grdMedicamentos->isEnabled())
        return;
    const qint64 idMedicamento = m_grdMedicamentos->item(fila, kColIdMedicamento)->text().toLongLong();
    OnStockMedicamento(m_ronda->Sesion().Paciente().idPaciente, idMedicamento);
    m_ronda->ReevaluarMostrado();
    for (int i = 0; i < m_grdMedicamentos->rowCount(); ++i) {
        if (m_grdMedicamentos->item(i, kColIdMedicamento)->text().toLongLong() == idMedicamento) {
            m_grdMedicamentos->selectRow(i);
            break;
        }
    }
}

void TFormCategoriaCarga::MostrarLista()
{
    if (m_edtFechaInicio->text() != m_ronda->TextoFecha())
        m_edtFechaInicio->setText(m_ronda->TextoFecha());

    QStringList anteriores;
    for (const QDate &fecha : m_ronda->Anteriores())
        anteriores << TextoFechaCampo(fecha);
    QStringList mostradas;
    for (int i = 0; i < m_lstCargasAnteriores->count(); ++i)
        mostradas << m_lstCargasAnteriores->item(i)->text();
    if (mostradas != anteriores) {
        m_lstCargasAnteriores->clear();
        m_lstCargasAnteriores->addItems(anteriores);
    }

    const QList<TFilaPacienteCategoria> &filas = m_ronda->Filas();
    m_grdPacientes->setRowCount(0);
    m_grdPacientes->setRowCount(int(filas.size()));
    for (int i = 0; i < filas.size(); ++i) {
        const TFilaPacienteCategoria &f = filas.at(i);
        const QStringList textos {f.RefPaciente,
                                  f.Nombre,
                                  f.Estado,
                                  QString::number(f.IdPaciente),
                                  TextoFechaCampo(f.FechaCarga),
                                  QString::number(f.EstadoCode),
                                  f.Icorrect ? QStringLiteral("1") : QStringLiteral("0")};
        const QColor color = ColorDeFila(f.Color());
        for (int columna = 0; columna < textos.size(); ++columna) {
            auto *celda = new QTableWidgetItem(textos.at(columna));
            if (color.isValid())
                celda->setForeground(color);
            m_grdPacientes->setItem(i, columna, celda);
        }
    }
    QHeaderView *cabecera = m_grdPacientes->horizontalHeader();
    for (int columna = 0; columna <= kPacEstado; ++columna)
        m_grdPacientes->model()->setHeaderData(columna, Qt::Horizontal, QVariant(), Qt::ForegroundRole);
    if (const std::optional<TColumnaPacientes> orden = m_ronda->ColumnaOrden()) {
        m_grdPacientes->model()->setHeaderData(int(*orden), Qt::Horizontal, kTituloOrdenado,
                                               Qt::ForegroundRole);
        cabecera->setSortIndicatorShown(true);
        cabecera->setSortIndicator(int(*orden),
                                   m_ronda->Descendente() ? Qt::DescendingOrder : Qt::AscendingOrder);
    }
    if (m_ronda->FilaMostrada() >= 0)
        m_grdPacientes->selectRow(m_ronda->FilaMostrada());
}

void TFormCategoriaCarga::MostrarCarga()
{
    const qint64 idPaciente = m_ronda->Sesion().Paciente().idPaciente;
    QHash<qint32, double> inventario;
    if (idPaciente != 0)
        ManejadorErrores::Proteger([&] { inventario = CantidadesTratamiento(DM(), idPaciente); });
    LlenarRejillas(*m_grdMedicamentos, *m_grdOtros, m_ronda->Sesion(), inventario);
    // During a run the list follows the patient being loaded.
    if (m_ronda->RondaCategoria() && m_ronda->FilaMostrada() >= 0)
        m_grdPacientes->selectRow(m_ronda->FilaMostrada());
}

void TFormCategoriaCarga::MostrarEstado()
{
    const TSesionCarga &sesion = m_ronda->Sesion();
    m_lblEstado->setText(TextoEstadoUI(sesion.EstadoUI()));
    m_lblProgreso->setText(m_ronda->TextoProgreso());
    const bool disponible = !m_ronda->Ocupada();
    m_btnInicio->setVisible(disponible);
    for (QWidget *control :
         {static_cast<QWidget *>(m_edtFechaInicio), static_cast<QWidget *>(m_btnCalendarioInicio),
          static_cast<QWidget *>(m_lstCargasAnteriores), static_cast<QWidget *>(m_grdPacientes),
          static_cast<QWidget *>(m_grdMedicamentos)})
        control->setEnabled(disponible);
    m_btnDetener->setVisible(m_ronda->RondaCategoria());
    m_btnDetener->setEnabled(!m_ronda->Deteniendo());
    m_btnEtiquetas->setVisible(disponible && sesion.UltimaCarga() != -1);
    m_btnGuardarCarga->setVisible(sesion.CargaSinGuardar());
    m_btnVolver->setEnabled(!sesion.Comprobando());
}

std::optional<bool> TFormCategoriaCarga::SalirDeLaAplicacion()
{
    if (!m_ronda->TrabajoEnCurso())
        return std::nullopt;
    return m_ronda->Salir(true);
}
