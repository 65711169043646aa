#include "ui/patients/FPacienteTratamientoHist.h"

#include "core/audit/uLOPD.h"
#include "core/common/Clock.h"
#include "core/data/ManejadorErrores.h"
#include "core/data/uDM.h"
#include "core/dosing/UPosologia.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/PacienteCarga.h"
#include "core/patients/InformesHistorial.h"
#include "core/settings/uPreferencias.h"
#include "ui/i18n/Componente.h"
#include "ui/patients/FDlgSeleccionarInforme.h"
#include "ui/patients/FDlgTratamientoEditarV2.h"
#include "ui/patients/ImprimirTratamiento.h"
#include "ui/reports/Fpreview.h"
#include "ui/reports/ListadoRejilla.h"
#include "ui/shell/CabeceraPaciente.h"
#include "ui/shell/TMarcoPantalla.h"
#include "ui/users/Derechos.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

void PrepararRejilla(QTableWidget *rejilla, const QStringList &titulos)
{
    rejilla->setColumnCount(int(titulos.size()));
    rejilla->setHorizontalHeaderLabels(titulos);
    rejilla->setSelectionBehavior(QAbstractItemView::SelectRows);
    rejilla->setSelectionMode(QAbstractItemView::SingleSelection);
    rejilla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rejilla->verticalHeader()->hide();
}

QString SiNo(bool si)
{
    return si ? Traducir(QStringLiteral("STR_SI"), QStringLiteral("SI"))
              : Traducir(QStringLiteral("STR_NO"), QStringLiteral("NO"));
}

// The report in the preview, built with the busy cursor; a database failure shows no report.
void MostrarInforme(const std::function<TReportDocument()> &construir)
{
    TReportDocument informe;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool hecho = ManejadorErrores::Proteger([&] { informe = construir(); });
    QGuiApplication::restoreOverrideCursor();
    if (hecho)
        TFormPreview::Mostrar(informe);
}

} // namespace

TFormPacienteTratamientoHist::TFormPacienteTratamientoHist(QWidget *parent)
    : TPantalla(parent)
    , OnVerLinea([this](const TEntradaEditorTratamiento &entrada) {
        return EditarLineaTratamiento(entrada, this);
    })
    , m_cabecera(new TCabeceraPaciente(this))
    , m_chkSoloCarga(Componente<QCheckBox>(this, "chkSoloCarga", QStringLiteral("VER SOLO CARGA")))
    , m_grdVersiones(Componente<QTableWidget>(this, "grdVersiones"))
    , m_grdLineas(Componente<QTableWidget>(this, "grdLineas"))
    , m_listado(new TListadoRejilla(*m_grdLineas, Qt::AscendingOrder))
{
    setObjectName(QStringLiteral("FormPacienteTratamientoHist"));
    setWindowTitle(QStringLiteral("HISTORICO TRATAMIENTO"));
    PrepararRejilla(m_grdVersiones,
                    {QStringLiteral("VERSION"), QStringLiteral("FECHA"), QStringLiteral("USUARIO"),
                     QStringLiteral("CARGA")});
    PrepararRejilla(m_grdLineas,
                    {QStringLiteral("CODIGO"), QStringLiteral("MEDICAMENTO"), QStringLiteral("MEDICO"),
                     QStringLiteral("DOSIS")});
    m_grdLineas->horizontalHeader()->setSectionResizeMode(kColMedicamento, QHeaderView::Stretch);

    QPushButton *btnTratamiento
            = Componente<QPushButton>(this, "btnTratamiento", QStringLiteral("TRATAMIENTO"));
    QPushButton *btnHistorico = Componente<QPushButton>(this, "btnHistorico", QStringLiteral("HISTORICO"));
    QPushButton *btnActual = Componente<QPushButton>(this, "btnActual", QStringLiteral("ACTUAL"));
    QPushButton *btnVolver = Componente<QPushButton>(this, "btnVolver", QStringLiteral("VOLVER"));
    auto *botones = new QHBoxLayout;
    for (QPushButton *boton : {btnTratamiento, btnHistorico, btnActual, btnVolver})
        botones->addWidget(boton);

    auto *versiones = new QVBoxLayout;
    versiones->addWidget(m_chkSoloCarga);
    versiones->addWidget(m_grdVersiones, 1);
    auto *listas = new QHBoxLayout;
    listas->addLayout(versiones, 2);
    listas->addWidget(m_grdLineas, 3);

    auto *marco = new TMarcoPantalla(this);
    auto *pantalla = new QVBoxLayout(this);
    pantalla->setContentsMargins(0, 0, 0, 0);
    pantalla->addWidget(marco);
    auto *contenido = new QVBoxLayout(marco->Contenido());
    contenido->addWidget(m_cabecera);
    contenido->addLayout(listas, 1);
    contenido->addLayout(botones);

    connect(m_chkSoloCarga, &QCheckBox::toggled, this, &TFormPacienteTratamientoHist::RefrescarVersiones);
    connect(m_grdVersiones, &QTableWidget::itemSelectionChanged, this,
            &TFormPacienteTratamientoHist::VersionCambiada);
    connect(m_grdLineas, &QTableWidget::cellDoubleClicked, this, [this](int fila) { VerLinea(fila); });
    connect(btnTratamiento, &QPushButton::clicked, this, &TFormPacienteTratamientoHist::btnTratamientoClick);
    connect(btnHistorico, &QPushButton::clicked, this, &TFormPacienteTratamientoHist::btnHistoricoClick);
    connect(btnActual, &QPushButton::clicked, this, &TFormPacienteTratamientoHist::actual);
    connect(btnVolver, &QPushButton::clicked, this, [this] { emit volver(m_refPaciente); });
}

void TFormPacienteTratamientoHist::AlMostrar()
{
    TPacienteCarga paciente;
    ManejadorErrores::Proteger(
            [&] { paciente = LeerPacienteCarga(DM(), DM().idPacienteActivo).value_or(TPacienteCarga {}); });
    m_refPaciente = paciente.refPACIENTE;
    m_paciente = TPacienteInforme {
            paciente.refPACIENTE, paciente.NOMBRE, paciente.FechaAlta, paciente.FechaBaja, {}};
    m_cabecera->Mostrar(paciente);
    {
        const QSignalBlocker bloqueo(m_chkSoloCarga);
        m_chkSoloCarga->setChecked(false);
    }
    RefrescarVersiones();
    Auditar(windowTitle(), LOPD::kConsulta, LOPD::kAceptado);
}

void TFormPacienteTratamientoHist::RefrescarVersiones()
{
    m_versiones.clear();
    ManejadorErrores::Proteger([&] {
        m_versiones = VersionesTratamiento(DM(), DM().idPacienteActivo, m_chkSoloCarga->isChecked());
    });
    const QSignalBlocker bloqueo(m_grdVersiones);
    m_grdVersiones->setRowCount(0);
    m_grdVersiones->setRowCount(int(m_versiones.size()));
    for (int fila = 0; fila < m_versiones.size(); ++fila) {
        const TVersionTratamiento &version = m_versiones.at(fila);
        const QStringList textos {QString::number(version.Version), TextoFecha(version.Fecha.date()),
                                  version.Username, SiNo(version.Cargada)};
        for (int columna = 0; columna < kColumnasVersion; ++columna)
            m_grdVersiones->setItem(fila, columna, new QTableWidgetItem(textos.at(columna)));
    }
    if (!m_versiones.isEmpty())
        m_grdVersiones->selectRow(0); // the newest
    VersionCambiada();
}

std::optional<TVersionTratamiento> TFormPacienteTratamientoHist::VersionSeleccionada() const
{
    const int fila = m_grdVersiones->currentRow();
    if (fila < 0 || fila >= m_versiones.size())
        return std::nullopt;
    return m_versiones.at(fila);
}

void TFormPacienteTratamientoHist::VersionCambiada()
{
    m_lineas.clear();
    if (const std::optional<TVersionTratamiento> version = VersionSeleccionada())
        ManejadorErrores::Proteger(
                [&] { m_lineas = LineasDeVersion(DM(), DM().idPacienteActivo, version->Version); });
    const QSignalBlocker bloqueo(m_grdLineas);
    m_grdLineas->setRowCount(0);
    m_grdLineas->setRowCount(int(m_lineas.size()));
    for (int fila = 0; fila < m_lineas.size(); ++fila) {
        const TFilaTratamiento &linea = m_lineas.at(fila);
        const QStringList textos {QString::number(linea.IdMedicamento), linea.Medicamento, linea.Medico,
                                  linea.DosisVer};
        for (int columna = 0; columna < kColumnasLinea; ++columna)
            m_grdLineas->setItem(fila, columna, new QTableWidgetItem(textos.at(columna)));
        // The rows are sorted on screen; each keeps the position of its line in the list.
        m_grdLineas->item(fila, kColCodigo)->setData(Qt::UserRole, fila);
    }
    m_listado->Reordenar();
}

void TFormPacienteTratamientoHist::VerLinea(int fila)
{
    if (fila < 0 || fila >= m_grdLineas->rowCount() || !PermisoCambioTratamiento())
        return;
    const int indice = m_grdLineas->item(fila, kColCodigo)->data(Qt::UserRole).toInt();
    if (OnVerLinea)
        OnVerLinea(EntradaDeFila(m_lineas.at(indice), true));
}

void TFormPacienteTratamientoHist::btnTratamientoClick()
{
    const std::optional<TVersionTratamiento> version = VersionSeleccionada();
    if (!version || m_lineas.isEmpty())
        return;
    ImprimirTratamiento(Traducir(QStringLiteral("CAPTION_LIS_TRATAMIENTO_HISTORICO_DEL_PACIENTE"),
                                 QStringLiteral("TRATAMIENTO HISTORICO DEL PACIENTE")),
                        DM().idPacienteActivo, m_lineas,
                        TVersionInforme {QString::number(version->Version), TextoFecha(version->Fecha.date()),
                                         version->Username, SiNo(version->Cargada)});
    Auditar(Traducir(QStringLiteral("CAPTION_LOPD_Listado_TRATAMIENTO_DEL_PACIENTE"),
                     QStringLiteral("Listado TRATAMIENTO DEL PACIENTE")),
            LOPD::kConsulta, LOPD::kAceptado);
}

void TFormPacienteTratamientoHist::btnHistoricoClick()
{
    TDlgSeleccionarInforme dialogo(this);
    if (dialogo.exec() != QDialog::Accepted)
        return;
    if (dialogo.UsoElegido())
        ImprimirUso();
    else
        ImprimirCambios();
}

void TFormPacienteTratamientoHist::ImprimirCambios()
{
    const bool soloCarga = m_chkSoloCarga->isChecked();
    MostrarInforme([&] {
        return InformeCambios(
                m_paciente,
                THistorialTratamiento(DM()).HistorialCambios(DM().idPacienteActivo, soloCarga, false),
                MembreteFarmacia(Preferencias()), Clock::today());
    });
}

void TFormPacienteTratamientoHist::ImprimirUso()
{
    MostrarInforme([&] {
        return InformeUso(
                m_paciente,
                PeriodosUso(THistorialTratamiento(DM()).HistorialCambios(DM().idPacienteActivo, true, true)),
                MembreteFarmacia(Preferencias()), Clock::today());
    });
}
