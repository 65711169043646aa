#include "ui/stock/PanelFaltas.h"

#include "core/i18n/ULenguaje.h"
#include "core/stock/RepartoCajas.h"
#include "ui/i18n/Componente.h"
#include "ui/reports/ListadoRejilla.h"
#include "ui/stock/PanelReparto.h"

#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QTableWidget *Rejilla(QWidget *padre, const char *nombre, const QStringList &titulos)
{
    auto *rejilla = Componente<QTableWidget>(padre, nombre);
    rejilla->setColumnCount(static_cast<int>(titulos.size()));
    rejilla->setHorizontalHeaderLabels(titulos);
    rejilla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rejilla->setSelectionBehavior(QAbstractItemView::SelectRows);
    rejilla->setSelectionMode(QAbstractItemView::SingleSelection);
    rejilla->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch); // the name
    return rejilla;
}

// One grid row of texts; the first cell keeps the index of the list row it shows.
void PonerFila(QTableWidget &rejilla, int fila, int indice, const QStringList &textos)
{
    for (int columna = 0; columna < textos.size(); ++columna) {
        auto *celda = new QTableWidgetItem(textos[columna]);
        if (columna == 0)
            celda->setData(Qt::UserRole, indice);
        rejilla.setItem(fila, columna, celda);
    }
}

// The boxes to order; a medication whose units per box are unknown orders none and says so.
QString TextoCajas(const TMedicamentoNecesidad &medicamento)
{
    if (medicamento.SinUnidadesCaja)
        return Traducir(QStringLiteral("INF_NEC_SIN_UNIDADES_CAJA"), QStringLiteral("SIN UNID./CAJA"));
    return QString::number(medicamento.Cajas, 'f', 0);
}

int IndiceDeFila(const QTableWidget &rejilla, int fila)
{
    return rejilla.item(fila, 0)->data(Qt::UserRole).toInt();
}

} // namespace

QString TextoCantidad(double cantidad)
{
    return QLocale().toString(cantidad, 'f', 2);
}

TPanelFaltas::TPanelFaltas(QWidget *parent)
    : QWidget(parent)
    , m_grdMedicamentos(Rejilla(this, "grdMedicamentos",
                                {QStringLiteral("CN"), QStringLiteral("MEDICAMENTO"),
                                 QStringLiteral("Faltan"), QStringLiteral("Cajas")}))
    , m_listadoMedicamentos(new TListadoRejilla(*m_grdMedicamentos, Qt::AscendingOrder))
    , m_grdPacientes(Rejilla(this, "grdPacientesMedicamento",
                             {QStringLiteral("ID"), QStringLiteral("NOMBRE"), QStringLiteral("Faltan"),
                              QStringLiteral("Cajas")}))
    , m_listadoPacientes(new TListadoRejilla(*m_grdPacientes, Qt::AscendingOrder))
    , m_lblPacientes(Componente<QLabel>(this, "lblAPacientes", QStringLiteral("A LOS PACIENTES")))
    , m_reparto(new TPanelReparto(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(
            Componente<QLabel>(this, "lblMedicamentosFaltan", QStringLiteral("MEDICAMENTOS QUE FALTAN")));
    layout->addWidget(m_grdMedicamentos, 2);
    layout->addWidget(m_lblPacientes);
    layout->addWidget(m_grdPacientes, 1);
    layout->addWidget(m_reparto);
    m_reparto->PacientesAServir = [this] { return PacientesEnOrden(); };
    m_reparto->CargasPlanificadas = [this] { return m_resultado.Cargas; };
    connect(m_grdMedicamentos, &QTableWidget::cellClicked, this,
            [this](int fila, int) { SeleccionarMedicamento(fila); });
    connect(m_reparto, &TPanelReparto::repartido, this, &TPanelFaltas::repartido);
}

void TPanelFaltas::Mostrar(const TResultadoNecesidades &resultado, bool conStock)
{
    m_resultado = resultado;
    m_conStock = conStock;
    for (QWidget *soloConStock : std::initializer_list<QWidget *> {m_lblPacientes, m_grdPacientes, m_reparto})
        soloConStock->setVisible(conStock);
    m_grdMedicamentos->setRowCount(static_cast<int>(resultado.Medicamentos.size()));
    for (int i = 0; i < resultado.Medicamentos.size(); ++i) {
        const TMedicamentoNecesidad &medicamento = resultado.Medicamentos[i];
        PonerFila(*m_grdMedicamentos, i, i,
                  {QString::number(medicamento.IdMedicamento), medicamento.Medicamento,
                   TextoCantidad(medicamento.Faltan), TextoCajas(medicamento)});
        if (medicamento.SinUnidadesCaja)
            m_grdMedicamentos->item(i, 3)->setToolTip(ErrorSinUnidadesCaja());
    }
    m_listadoMedicamentos->Reordenar();
    m_grdPacientes->setRowCount(0);
    m_pacientes.clear();
    m_reparto->Limpiar();
    if (conStock && m_grdMedicamentos->rowCount() > 0) {
        m_grdMedicamentos->selectRow(0);
        SeleccionarMedicamento(0);
    }
}

void TPanelFaltas::SeleccionarMedicamento(int fila)
{
    if (!m_conStock || fila < 0 || fila >= m_grdMedicamentos->rowCount())
        return;
    const TMedicamentoNecesidad &medicamento
            = m_resultado.Medicamentos[IndiceDeFila(*m_grdMedicamentos, fila)];
    m_reparto->MostrarMedicamento(medicamento.IdMedicamento, medicamento.Medicamento);
    m_pacientes = PacientesDeMedicamento(medicamento.IdMedicamento, m_resultado.Pedido);
    m_grdPacientes->setRowCount(static_cast<int>(m_pacientes.size()));
    for (int i = 0; i < m_pacientes.size(); ++i) {
        const TPacienteMedicamento &paciente = m_pacientes[i];
        PonerFila(*m_grdPacientes, i, i,
                  {paciente.RefPaciente, paciente.Nombre, TextoCantidad(paciente.Faltan),
                   QString::number(paciente.Cajas, 'f', 0)});
    }
    m_listadoPacientes->Reordenar();
}

QList<TPacienteMedicamento> TPanelFaltas::PacientesEnOrden() const
{
    QList<TPacienteMedicamento> pacientes;
    for (int fila = 0; fila < m_grdPacientes->rowCount(); ++fila)
        pacientes << m_pacientes[IndiceDeFila(*m_grdPacientes, fila)];
    return pacientes;
}
