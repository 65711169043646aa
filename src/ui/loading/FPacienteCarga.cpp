#include "ui/loading/FPacienteCarga.h"

#include "core/audit/uLOPD.h"
#include "core/common/Clock.h"
#include "core/data/uDM.h"
#include "core/dispenser/UDispenserTCP.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/VentanaCarga.h"
#include "core/settings/uPreferencias.h"
#include "ui/i18n/Componente.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace RejillasCarga;

TFormPacienteCarga::TFormPacienteCarga(QWidget *parent, TDialogosCarga *dialogos)
    : TKelvoForm(parent)
    , m_dialogosPropios(dialogos ? nullptr : std::make_unique<TDialogosPantallaCarga>(this))
    , m_sesion(std::make_unique<TSesionCarga>(DM(), Dispenser(), dialogos ? *dialogos : *m_dialogosPropios))
    , m_lblReferencia(Componente<QLabel>(this, "lblReferencia"))
    , m_lblNombre(Componente<QLabel>(this, "lblNombre"))
    , m_lblFechaAlta(Componente<QLabel>(this, "lblFechaAlta"))
    , m_lblFechaBaja(Componente<QLabel>(this, "lblFechaBaja"))
    , m_edtFechaInicio(Componente<QLineEdit>(this, "edtFechaInicio"))
    , m_edtFechaFin(Componente<QLineEdit>(this, "edtFechaFin"))
    , m_btnCalendarioInicio(Componente<QPushButton>(this, "btnCalendarioInicio", QStringLiteral("...")))
    , m_btnCalendarioFin(Componente<QPushButton>(this, "btnCalendarioFin", QStringLiteral("...")))
    , m_lblConexion(Componente<QLabel>(this, "lblConexion"))
    , m_grdMedicamentos(RejillaMedicamentos(this))
    , m_grdOtros(RejillaOtros(this))
    , m_lblEstado(Componente<QLabel>(this, "lblEstado"))
    , m_btnInicio(Componente<QPushButton>(this, "btnInicio", QStringLiteral("INICIO")))
    , m_btnEtiquetas(Componente<QPushButton>(this, "btnEtiquetas", QStringLiteral("ETIQUETAS")))
    , m_btnGuardarCarga(Componente<QPushButton>(this, "btnGuardarCarga", QStringLiteral("GUARDAR CARGA")))
    , m_btnVolver(Componente<QPushButton>(this, "btnVolver", QStringLiteral("VOLVER")))
{
    setObjectName(QStringLiteral("FormPacienteCarga"));
    setWindowTitle(QStringLiteral("CARGA DEL PACIENTE"));
    m_lblConexion->setAlignment(Qt::AlignCenter);
    TextosDeCodigo(*m_lblConexion); // the state of the machine and of the load
    TextosDeCodigo(*m_lblEstado);
    m_lblConexion->setMinimumWidth(140);

    auto *lblPaciente = Componente<QLabel>(this, "lblPaciente", QStringLiteral("PACIENTE"));
    auto *paciente = new QGridLayout;
    paciente->addWidget(lblPaciente, 0, 0);
    paciente->addWidget(m_lblReferencia, 0, 1);
    paciente->addWidget(m_lblNombre, 0, 2, 1, 3);
    paciente->addWidget(m_lblFechaAlta, 1, 1);
    paciente->addWidget(m_lblFechaBaja, 1, 2);

    auto *fechas = new QHBoxLayout;
    auto *lblInicio = Componente<QLabel>(this, "lblFechaInicio", QStringLiteral("FECHA INICIO"));
    auto *lblFin = Componente<QLabel>(this, "lblFechaFin", QStringLiteral("FECHA FIN"));
    fechas->addWidget(lblInicio);
    fechas->addWidget(m_edtFechaInicio);
    fechas->addWidget(m_btnCalendarioInicio);
    fechas->addSpacing(16);
    fechas->addWidget(lblFin);
    fechas->addWidget(m_edtFechaFin);
    fechas->addWidget(m_btnCalendarioFin);
    fechas->addStretch();
    fechas->addWidget(m_lblConexion);

    auto *acciones = new QHBoxLayout;
    acciones->addWidget(m_lblEstado);
    acciones->addStretch();
    acciones->addWidget(m_btnInicio);
    acciones->addWidget(m_btnEtiquetas);
    acciones->addWidget(m_btnGuardarCarga);
    acciones->addWidget(m_btnVolver);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(paciente);
    layout->addLayout(fechas);
    layout->addWidget(m_grdMedicamentos, 3);
    layout->addWidget(m_grdOtros, 1);
    layout->addLayout(acciones);

    connect(m_btnInicio, &QPushButton::clicked, this, &TFormPacienteCarga::btnInicioClick);
    connect(m_btnEtiquetas, &QPushButton::clicked, this, &TFormPacienteCarga::btnEtiquetasClick);
    connect(m_btnGuardarCarga, &QPushButton::clicked, m_sesion.get(), &TSesionCarga::GuardarCargaLlenada);
    connect(m_btnVolver, &QPushButton::clicked, this, &TFormPacienteCarga::btnVolverClick);
    connect(m_btnCalendarioInicio, &QPushButton::clicked, this,
            [this] { btnCalendarioClick(m_edtFechaInicio); });
    connect(m_btnCalendarioFin, &QPushButton::clicked, this, [this] { btnCalendarioClick(m_edtFechaFin); });
    connect(m_edtFechaInicio, &QLineEdit::editingFinished, this, &TFormPacienteCarga::FechaEditada);
    connect(m_edtFechaFin, &QLineEdit::editingFinished, this, &TFormPacienteCarga::FechaEditada);
    connect(m_grdMedicamentos, &QTableWidget::cellDoubleClicked, this,
            [this](int fila, int) { grdMedicamentosDblClick(fila); });
    connect(m_sesion.get(), &TSesionCarga::cargaCambiada, this, &TFormPacienteCarga::MostrarCarga);
    connect(m_sesion.get(), &TSesionCarga::estadoCambiado, this, &TFormPacienteCarga::MostrarEstado);
    connect(m_sesion.get(), &TSesionCarga::conexionCambiada, this,
            [this](bool conectado) { MostrarConexion(*m_lblConexion, conectado); });
    MostrarEstado();
    MostrarConexion(*m_lblConexion, false);
}

TFormPacienteCarga::~TFormPacienteCarga()
{
    // Closing the window takes the focus from a date field, whose "editing finished" must not
    // reach the session, which goes first.
    m_edtFechaInicio->disconnect(this);
    m_edtFechaFin->disconnect(this);
}

void TFormPacienteCarga::AbrirCargaPaciente()
{
    m_sesion->Abrir();
    Auditar(Traducir(QStringLiteral("CAPTION_LOPD_PACIENTE_CARGAS"), QStringLiteral("PACIENTE CARGAS")),
            LOPD::kConsulta, LOPD::kAceptado);
}

void TFormPacienteCarga::btnInicioClick()
{
    m_sesion->FijarFechas(m_edtFechaInicio->text(), m_edtFechaFin->text());
    switch (m_sesion->Iniciar()) {
    case TResultadoInicio::FechaInicioInvalida:
        m_edtFechaInicio->setFocus();
        break;
    case TResultadoInicio::FechaFinInvalida:
        m_edtFechaFin->setFocus();
        break;
    default:
        break;
    }
}

void TFormPacienteCarga::btnEtiquetasClick()
{
    m_sesion->ImprimirEtiquetas();
}

void TFormPacienteCarga::btnVolverClick()
{
    if (m_sesion->Salir())
        emit volver(m_sesion->Paciente().refPACIENTE);
}

void TFormPacienteCarga::btnCalendarioClick(QLineEdit *campo)
{
    QDate fecha = LeerFechaCampo(campo->text());
    if (!fecha.isValid())
        fecha = campo == m_edtFechaFin && m_sesion->Inicio().isValid() ? m_sesion->Inicio().addDays(6)
                                                                       : Clock::today();
    if (const std::optional<QDate> elegida = ElegirFecha(this, fecha)) {
        campo->setText(TextoFechaCampo(*elegida));
        m_sesion->CambiarFechas(m_edtFechaInicio->text(), m_edtFechaFin->text());
    }
}

void TFormPacienteCarga::FechaEditada()
{
    if (m_edtFechaInicio->text() == m_sesion->TextoInicio() && m_edtFechaFin->text() == m_sesion->TextoFin())
        return;
    m_sesion->CambiarFechas(m_edtFechaInicio->text(), m_edtFechaFin->text());
}

void TFormPacienteCarga::grdMedicamentosDblClick(int fila)
{
    if (!OnStockMedicamento || !Preferencias().PaisConStock() || m_grdMedicamentos->rowCount() == 0
        || !m_grdMedicamentos->isEnabled())
        return;
    const qint64 idMedicamento = m_grdMedicamentos->item(fila, kColIdMedicamento)->text().toLongLong();
    OnStockMedicamento(m_sesion->Paciente().idPaciente, idMedicamento);
    m_sesion->Planificar();
    for (int i = 0; i < m_grdMedicamentos->rowCount(); ++i) {
        if (m_grdMedicamentos->item(i, kColIdMedicamento)->text().toLongLong() == idMedicamento) {
            m_grdMedicamentos->selectRow(i);
            break;
        }
    }
}

void TFormPacienteCarga::MostrarCarga()
{
    const TPacienteCarga &paciente = m_sesion->Paciente();
    m_lblReferencia->setText(paciente.refPACIENTE);
    m_lblNombre->setText(paciente.NOMBRE);
    m_lblFechaAlta->setText(TextoFechaCampo(paciente.FechaAlta));
    m_lblFechaBaja->setText(TextoFechaCampo(paciente.FechaBaja));

    LlenarRejillas(*m_grdMedicamentos, *m_grdOtros, *m_sesion);
    if (m_edtFechaInicio->text() != m_sesion->TextoInicio())
        m_edtFechaInicio->setText(m_sesion->TextoInicio());
    if (m_edtFechaFin->text() != m_sesion->TextoFin())
        m_edtFechaFin->setText(m_sesion->TextoFin());
}

void TFormPacienteCarga::MostrarEstado()
{
    const int estado = m_sesion->EstadoUI();
    m_lblEstado->setText(TextoEstadoUI(estado));
    const bool disponible = (estado == EstadoCargaUI::kSinComenzar || estado == EstadoCargaUI::kCancelado)
            && !m_sesion->Comprobando();
    m_btnInicio->setVisible(estado == EstadoCargaUI::kSinComenzar || estado == EstadoCargaUI::kCancelado);
    m_btnInicio->setEnabled(disponible);
    for (QWidget *fecha :
         {static_cast<QWidget *>(m_edtFechaInicio), static_cast<QWidget *>(m_edtFechaFin),
          static_cast<QWidget *>(m_btnCalendarioInicio), static_cast<QWidget *>(m_btnCalendarioFin)})
        fecha->setEnabled(disponible);
    m_grdMedicamentos->setEnabled(disponible);
    m_btnEtiquetas->setVisible(estado == EstadoCargaUI::kCompletado && !m_sesion->CargaSinGuardar());
    m_btnGuardarCarga->setVisible(m_sesion->CargaSinGuardar());
    m_btnVolver->setEnabled(!m_sesion->Comprobando());
}

std::optional<bool> TFormPacienteCarga::SalirDeLaAplicacion()
{
    if (!m_sesion->TrabajoEnCurso())
        return std::nullopt;
    return m_sesion->Salir(true);
}
