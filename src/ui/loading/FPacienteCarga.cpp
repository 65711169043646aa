#include "ui/loading/FPacienteCarga.h"

#include "core/audit/uLOPD.h"
#include "core/common/Clock.h"
#include "core/data/uDM.h"
#include "core/dispenser/UDispenserTCP.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/FilasCarga.h"
#include "core/loading/VentanaCarga.h"
#include "core/settings/uPreferencias.h"
#include "ui/i18n/Componente.h"

#include <QCalendarWidget>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString kPaisSinStock = QStringLiteral("3"); // no stock dialog from the grid

// A small blister: a strip of cells, filled for medication that goes into the blister.
QIcon IconoBlister(bool enBlister)
{
    QPixmap dibujo(24, 12);
    dibujo.fill(Qt::transparent);
    QPainter pintor(&dibujo);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.setPen(QPen(Qt::darkGray, 1));
    pintor.setBrush(QColor(235, 235, 235));
    pintor.drawRoundedRect(QRectF(0.5, 0.5, 23, 11), 2, 2);
    pintor.setBrush(enBlister ? QColor(40, 140, 60) : Qt::white);
    for (int celda = 0; celda < 4; ++celda)
        pintor.drawEllipse(QRectF(2 + celda * 5.5, 3, 4, 6));
    return QIcon(dibujo);
}

QTableWidget *Rejilla(QWidget *padre, const char *nombre, const QStringList &campos)
{
    auto *rejilla = Componente<QTableWidget>(padre, nombre);
    rejilla->setColumnCount(int(campos.size()));
    // Titles are the data fields' display labels: the field name after "-".
    QStringList titulos;
    for (const QString &campo : campos)
        titulos << QLatin1Char('-') + campo;
    rejilla->setHorizontalHeaderLabels(titulos);
    rejilla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rejilla->setSelectionBehavior(QAbstractItemView::SelectRows);
    rejilla->setSelectionMode(QAbstractItemView::SingleSelection);
    rejilla->verticalHeader()->hide();
    rejilla->horizontalHeader()->setStretchLastSection(true);
    return rejilla;
}

void Fila(QTableWidget &rejilla, int fila, const QStringList &textos, const QColor &color = {})
{
    for (int columna = 0; columna < textos.size(); ++columna) {
        auto *celda = new QTableWidgetItem(textos.at(columna));
        if (color.isValid())
            celda->setForeground(color);
        rejilla.setItem(fila, columna, celda);
    }
}

// A month calendar on the date; a double-click (or Enter) on a day chooses it.
std::optional<QDate> ElegirFecha(QWidget *padre, const QDate &fecha)
{
    QDialog dialogo(padre);
    dialogo.setObjectName(QStringLiteral("DlgCalendario"));
    auto *calendario = Componente<QCalendarWidget>(&dialogo, "calendario");
    calendario->setSelectedDate(fecha);
    auto *layout = new QVBoxLayout(&dialogo);
    layout->addWidget(calendario);
    QObject::connect(calendario, &QCalendarWidget::activated, &dialogo, &QDialog::accept);
    if (dialogo.exec() != QDialog::Accepted)
        return std::nullopt;
    return calendario->selectedDate();
}

} // namespace

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
    , m_grdMedicamentos(Rejilla(
              this, "grdMedicamentos",
              {QStringLiteral("SPD"), QStringLiteral("Medicamento"), QStringLiteral("Carga"),
               QStringLiteral("Falta"), QStringLiteral("Estado"), QStringLiteral("Dosis"),
               QStringLiteral("Disponible"), QStringLiteral("Porcion"), QStringLiteral("Descripcion"),
               QStringLiteral("Posologia"), QStringLiteral("icorrect"), QStringLiteral("IdMedicamento")}))
    , m_grdOtros(Rejilla(this, "grdOtros",
                         {QStringLiteral("SPD"), QStringLiteral("Medicamento"), QStringLiteral("Posologia"),
                          QStringLiteral("Descripcion")}))
    , m_lblEstado(Componente<QLabel>(this, "lblEstado"))
    , m_btnInicio(Componente<QPushButton>(this, "btnInicio", QStringLiteral("INICIO")))
    , m_btnEtiquetas(Componente<QPushButton>(this, "btnEtiquetas", QStringLiteral("ETIQUETAS")))
    , m_btnGuardarCarga(Componente<QPushButton>(this, "btnGuardarCarga", QStringLiteral("GUARDAR CARGA")))
    , m_btnVolver(Componente<QPushButton>(this, "btnVolver", QStringLiteral("VOLVER")))
{
    setObjectName(QStringLiteral("FormPacienteCarga"));
    setWindowTitle(QStringLiteral("CARGA DEL PACIENTE"));
    for (int columna = kColDosis; columna < kColumnasMedicamento; ++columna)
        m_grdMedicamentos->setColumnHidden(columna, true);
    m_grdOtros->setColumnHidden(3, true);
    m_lblConexion->setAlignment(Qt::AlignCenter);
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
    connect(m_sesion.get(), &TSesionCarga::conexionCambiada, this, &TFormPacienteCarga::MostrarConexion);
    MostrarEstado();
    MostrarConexion(false);
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
    if (!OnStockMedicamento || Preferencias().Pais == kPaisSinStock || m_grdMedicamentos->rowCount() == 0
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

    const QList<TFilaMedicamento> filas
            = FilasMedicamentos(m_sesion->Carga(), paciente.conInventario, m_sesion->LimiteCaducidad());
    m_grdMedicamentos->setRowCount(0);
    m_grdMedicamentos->setRowCount(int(filas.size()));
    const QLocale local;
    for (int i = 0; i < filas.size(); ++i) {
        const TFilaMedicamento &f = filas.at(i);
        Fila(*m_grdMedicamentos, i,
             {f.SPD, f.Medicamento, QString::number(f.Carga), QString::number(f.Falta), f.Estado, f.Dosis,
              local.toString(f.Disponible), local.toString(f.Porcion), f.Descripcion, f.Posologia,
              f.icorrect ? QStringLiteral("1") : QStringLiteral("0"), QString::number(f.IdMedicamento)},
             f.icorrect ? QColor() : QColor(Qt::red));
        m_grdMedicamentos->item(i, kColSPD)->setIcon(IconoBlister(true));
    }
    const QList<TFilaOtroMedicamento> otros = FilasOtrosMedicamentos(m_sesion->Carga());
    m_grdOtros->setRowCount(0);
    m_grdOtros->setRowCount(int(otros.size()));
    for (int i = 0; i < otros.size(); ++i) {
        const TFilaOtroMedicamento &f = otros.at(i);
        Fila(*m_grdOtros, i, {f.SPD, f.Medicamento, f.Posologia, f.Descripcion});
        m_grdOtros->item(i, 0)->setIcon(IconoBlister(false));
    }
    if (m_sesion->IndiceActual() >= 0 && m_sesion->IndiceActual() < m_grdMedicamentos->rowCount())
        m_grdMedicamentos->selectRow(m_sesion->IndiceActual());
    if (m_edtFechaInicio->text() != m_sesion->TextoInicio())
        m_edtFechaInicio->setText(m_sesion->TextoInicio());
    if (m_edtFechaFin->text() != m_sesion->TextoFin())
        m_edtFechaFin->setText(m_sesion->TextoFin());
}

void TFormPacienteCarga::MostrarEstado()
{
    const int estado = m_sesion->EstadoUI();
    switch (estado) {
    case EstadoCargaUI::kCargando:
        m_lblEstado->setText(Traducir(QStringLiteral("STR_INICIADO"), QStringLiteral("(CARGANDO...)")));
        break;
    case EstadoCargaUI::kCancelado:
        m_lblEstado->setText(Traducir(QStringLiteral("STR_CANCELADO"), QStringLiteral("(CANCELADO)")));
        break;
    case EstadoCargaUI::kCompletado:
        m_lblEstado->setText(Traducir(QStringLiteral("STR_COMPLETADO"), QStringLiteral("(COMPLETADO)")));
        break;
    default:
        m_lblEstado->setText(Traducir(QStringLiteral("STR_CARGADO"), QStringLiteral("(SIN COMENZAR)")));
        break;
    }
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

void TFormPacienteCarga::MostrarConexion(bool conectado)
{
    if (conectado) {
        m_lblConexion->setText(Traducir(QStringLiteral("STR_CONECTADO"), QStringLiteral("CONECTADO")));
        m_lblConexion->setStyleSheet(QStringLiteral("color: white; background-color: green;"));
    } else {
        m_lblConexion->setText(Traducir(QStringLiteral("STR_DESCONECTADO"), QStringLiteral("DESCONECTADO")));
        m_lblConexion->setStyleSheet(QString());
    }
}
