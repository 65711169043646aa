#include "ui/patients/FPacienteTratamiento.h"

#include "core/audit/uLOPD.h"
#include "core/data/ManejadorErrores.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/PacienteCarga.h"
#include "core/patients/uHistorialTratamiento.h"
#include "core/settings/uPreferencias.h"
#include "core/stock/uInventario.h"
#include "ui/i18n/Componente.h"
#include "ui/patients/ImprimirTratamiento.h"
#include "ui/patients/PanelRecetas.h"
#include "ui/reports/ListadoRejilla.h"
#include "ui/shell/CabeceraPaciente.h"
#include "ui/shell/Destinos.h"
#include "ui/shell/Mensajes.h"
#include "ui/shell/TMarcoPantalla.h"
#include "ui/stock/FrameStockPaciente.h"
#include "ui/users/Derechos.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

TFormPacienteTratamiento::TFormPacienteTratamiento(QWidget *parent)
    : TPantalla(parent)
    , m_cabecera(new TCabeceraPaciente(this))
    , m_grdTratamiento(Componente<QTableWidget>(this, "grdTratamiento"))
    , m_listado(new TListadoRejilla(*m_grdTratamiento, Qt::AscendingOrder))
    , m_stock(new TFrameStockPaciente(this))
    , m_recetas(Componente<QGroupBox>(this, "grpRecetas"))
    , m_panelRecetas(new TPanelRecetas(*this, *m_stock, m_recetas))
{
    setObjectName(QStringLiteral("FormPacienteTratamiento"));
    setWindowTitle(QStringLiteral("TRATAMIENTO"));
    m_grdTratamiento->setColumnCount(kColumnas);
    m_grdTratamiento->setHorizontalHeaderLabels({QStringLiteral("CODIGO"), QStringLiteral("MEDICAMENTO"),
                                                 QStringLiteral("MEDICO"), QStringLiteral("DOSIS"),
                                                 QStringLiteral("CANTIDAD")});
    m_grdTratamiento->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdTratamiento->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdTratamiento->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdTratamiento->verticalHeader()->hide();
    m_grdTratamiento->horizontalHeader()->setSectionResizeMode(kColMedicamento, QHeaderView::Stretch);
    static_cast<QGroupBox *>(m_recetas)->setTitle(QStringLiteral("RECETAS PENDIENTES"));
    // The screen's own "INTRODUCIR MEDICAMENTO" enters the stock; the panel's would repeat it.
    m_stock->findChild<QPushButton *>(QStringLiteral("btnIntroducir"))->hide();

    QPushButton *btnIntroducir = Componente<QPushButton>(this, "btnIntroducirMedicamento",
                                                         QStringLiteral("INTRODUCIR MEDICAMENTO"));
    QPushButton *btnModificar = Componente<QPushButton>(this, "btnModificar", QStringLiteral("MODIFICAR"));
    QPushButton *btnBorrar = Componente<QPushButton>(this, "btnBorrar", QStringLiteral("BORRAR"));
    QPushButton *btnImprimir = Componente<QPushButton>(this, "btnImprimir", QStringLiteral("IMPRIMIR"));
    QPushButton *btnHistorico = Componente<QPushButton>(this, "btnHistorico", QStringLiteral("HISTORICO"));
    QPushButton *btnVolver = Componente<QPushButton>(this, "btnVolver", QStringLiteral("VOLVER"));
    auto *botones = new QHBoxLayout;
    for (QPushButton *boton : {btnIntroducir, btnModificar, btnBorrar, btnImprimir, btnHistorico, btnVolver})
        botones->addWidget(boton);

    // The prescriptions of the patient not yet dispensed fill this panel.
    auto *recetas = new QVBoxLayout(m_recetas);
    recetas->addWidget(m_panelRecetas);
    auto *paneles = new QVBoxLayout;
    paneles->addWidget(m_stock, 2);
    paneles->addWidget(m_recetas, 1);
    auto *tratamiento = new QHBoxLayout;
    tratamiento->addWidget(m_grdTratamiento, 3);
    tratamiento->addLayout(paneles, 2);

    auto *marco = new TMarcoPantalla(this);
    auto *pantalla = new QVBoxLayout(this);
    pantalla->setContentsMargins(0, 0, 0, 0);
    pantalla->addWidget(marco);
    auto *contenido = new QVBoxLayout(marco->Contenido());
    contenido->addWidget(m_cabecera);
    contenido->addLayout(tratamiento, 1);
    contenido->addLayout(botones);

    connect(btnIntroducir, &QPushButton::clicked, this, &TFormPacienteTratamiento::btnIntroducirClick);
    connect(btnModificar, &QPushButton::clicked, this, &TFormPacienteTratamiento::btnModificarClick);
    connect(m_grdTratamiento, &QTableWidget::cellDoubleClicked, this,
            &TFormPacienteTratamiento::btnModificarClick);
    connect(btnBorrar, &QPushButton::clicked, this, &TFormPacienteTratamiento::btnBorrarClick);
    connect(btnImprimir, &QPushButton::clicked, this, &TFormPacienteTratamiento::btnImprimirClick);
    connect(btnHistorico, &QPushButton::clicked, this, &TFormPacienteTratamiento::btnHistoricoClick);
    connect(btnVolver, &QPushButton::clicked, this, &TFormPacienteTratamiento::btnVolverClick);
    connect(m_grdTratamiento, &QTableWidget::itemSelectionChanged, this,
            &TFormPacienteTratamiento::LineaCambiada);
    connect(m_stock, &TFrameStockPaciente::StockCambiado, this,
            [this](qint64 idMedicamento) { Refrescar(idMedicamento); });
}

void TFormPacienteTratamiento::AlMostrar()
{
    const qint64 idPaciente = DM().idPacienteActivo;
    ManejadorErrores::Proteger([&] { TInventario(DM()).RecalcularCantidadesSPD(idPaciente); });
    // Stock, its quantities and prescriptions are not kept in the United Kingdom.
    const bool conStock = Preferencias().NoReinoUnido;
    m_recetas->setVisible(conStock);
    m_grdTratamiento->setColumnHidden(kColCantidad, !conStock);
    MostrarCabecera();
    Refrescar();
    m_stock->Refrescar();
    if (conStock)
        m_panelRecetas->Refrescar();
    Auditar(windowTitle(), LOPD::kConsulta, LOPD::kAceptado);
}

void TFormPacienteTratamiento::MostrarCabecera()
{
    TPacienteCarga paciente;
    ManejadorErrores::Proteger(
            [&] { paciente = LeerPacienteCarga(DM(), DM().idPacienteActivo).value_or(TPacienteCarga {}); });
    m_refPaciente = paciente.refPACIENTE;
    m_cabecera->Mostrar(paciente);
}

void TFormPacienteTratamiento::Refrescar(qint64 idMedicamento)
{
    const std::optional<TFilaTratamiento> anterior = LineaSeleccionada();
    const qint64 buscado = idMedicamento != 0 ? idMedicamento : (anterior ? anterior->IdMedicamento : 0);
    m_lineas.clear();
    ManejadorErrores::Proteger([&] { m_lineas = LineasTratamiento(DM(), DM().idPacienteActivo); });
    const QSignalBlocker bloqueo(m_grdTratamiento);
    m_grdTratamiento->setRowCount(0);
    m_grdTratamiento->setRowCount(int(m_lineas.size()));
    const QLocale local;
    for (int fila = 0; fila < m_lineas.size(); ++fila) {
        const TFilaTratamiento &linea = m_lineas.at(fila);
        const QStringList textos {QString::number(linea.IdMedicamento), linea.Medicamento, linea.Medico,
                                  linea.DosisVer, local.toString(linea.Cantidad)};
        for (int columna = 0; columna < kColumnas; ++columna)
            m_grdTratamiento->setItem(fila, columna, new QTableWidgetItem(textos.at(columna)));
        // The rows are sorted on screen; each keeps the position of its line in the list.
        m_grdTratamiento->item(fila, kColCodigo)->setData(Qt::UserRole, fila);
    }
    m_listado->Reordenar();
    int seleccion = m_lineas.isEmpty() ? -1 : 0;
    for (int fila = 0; fila < m_grdTratamiento->rowCount(); ++fila) {
        if (m_lineas.at(m_grdTratamiento->item(fila, kColCodigo)->data(Qt::UserRole).toInt()).IdMedicamento
            == buscado)
            seleccion = fila;
    }
    if (seleccion >= 0)
        m_grdTratamiento->selectRow(seleccion);
    LineaCambiada();
}

std::optional<TFilaTratamiento> TFormPacienteTratamiento::LineaSeleccionada() const
{
    const int fila = m_grdTratamiento->currentRow();
    if (fila < 0 || !m_grdTratamiento->item(fila, kColCodigo))
        return std::nullopt;
    const int indice = m_grdTratamiento->item(fila, kColCodigo)->data(Qt::UserRole).toInt();
    if (indice < 0 || indice >= m_lineas.size())
        return std::nullopt;
    return m_lineas.at(indice);
}

void TFormPacienteTratamiento::LineaCambiada()
{
    const std::optional<TFilaTratamiento> linea = LineaSeleccionada();
    m_stock->SeleccionarLinea(linea ? linea->IdMedicamento : 0);
}

void TFormPacienteTratamiento::btnIntroducirClick()
{
    // The stock panel enters the box, opens the editor for a medication the treatment lacks and
    // announces the medication, whose line is then selected.
    m_stock->btnIntroducirClick();
}

void TFormPacienteTratamiento::btnModificarClick()
{
    if (m_lineas.isEmpty() || !PermisoCambioTratamiento())
        return;
    Refrescar();
    const std::optional<TFilaTratamiento> linea = LineaSeleccionada();
    if (linea && OnEditarLinea)
        OnEditarLinea(*linea);
    Refrescar();
}

void TFormPacienteTratamiento::btnBorrarClick()
{
    const std::optional<TFilaTratamiento> linea = LineaSeleccionada();
    if (!linea || !PermisoCambioTratamiento())
        return;
    if (Confirmar(Traducir(QStringLiteral("QST_ELIMINAR_TRATAMIENTO"),
                           QStringLiteral("¿ESTA SEGURO QUE QUIERE ELIMINAR EL TRATAMIENTO?")))
        != 1)
        return;
    bool borrada = false;
    ManejadorErrores::Proteger([&] { borrada = BorrarLineaTratamiento(DM(), linea->Idpaciente, linea->id); });
    if (borrada)
        Auditar(windowTitle()
                        + Traducir(QStringLiteral("CAPTION_LOPD_BORR_TRATAMIENTO"),
                                   QStringLiteral(" BORR. TRATAMIENTO")),
                LOPD::kBaja, LOPD::kAceptado);
    Refrescar();
}

void TFormPacienteTratamiento::btnImprimirClick()
{
    if (m_lineas.isEmpty())
        return;
    ImprimirTratamiento(Traducir(QStringLiteral("CAPTION_LIS_TRATAMIENTO_DEL_PACIENTE"),
                                 QStringLiteral("TRATAMIENTO DEL PACIENTE")),
                        DM().idPacienteActivo, m_lineas, std::nullopt);
    Auditar(Traducir(QStringLiteral("CAPTION_LOPD_Listado_TRATAMIENTO_DEL_PACIENTE"),
                     QStringLiteral("Listado TRATAMIENTO DEL PACIENTE")),
            LOPD::kConsulta, LOPD::kAceptado);
}

void TFormPacienteTratamiento::GuardarVersion()
{
    const qint64 idPaciente = DM().idPacienteActivo;
    ManejadorErrores::Proteger([&] { THistorialTratamiento(DM()).GuardarVersion(idPaciente); });
}

void TFormPacienteTratamiento::btnHistoricoClick()
{
    GuardarVersion();
    AbrirDestino(TDestino::HistorialTratamiento);
}

void TFormPacienteTratamiento::btnVolverClick()
{
    GuardarVersion();
    emit volver(m_refPaciente);
}
