#include "ui/stock/FPacienteEntrega.h"

#include "core/audit/uLOPD.h"
#include "core/common/Clock.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/CargasPendientes.h"
#include "core/settings/uPreferencias.h"
#include "core/stock/InformePendientesReceta.h"
#include "ui/i18n/Componente.h"
#include "ui/reports/Fpreview.h"
#include "ui/shell/CabeceraPaciente.h"
#include "ui/shell/TMarcoPantalla.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TFormPacienteEntrega::TFormPacienteEntrega(QWidget *parent)
    : TPantalla(parent)
    , m_cabecera(new TCabeceraPaciente(this))
    , m_cargas(this, false)
    , m_edtCodigo(Componente<QLineEdit>(this, "edtCodigo"))
    , m_grpRecetas(Componente<QGroupBox>(this, "grpRecetas"))
    , m_grdRecetas(Componente<QTableWidget>(m_grpRecetas, "grdRecetas"))
{
    setObjectName(QStringLiteral("FormPacienteEntrega"));
    m_entrega.AlEntregar
            = [this](const TFilaCarga &) { Auditar(windowTitle(), LOPD::kAlta, LOPD::kAceptado); };

    auto *grpCargas = Componente<QGroupBox>(this, "grpCargas");
    grpCargas->setTitle(QStringLiteral("BLISTER PENDIENTE DE ENTREGA"));
    auto *lblCodigo = Componente<QLabel>(grpCargas, "lblCodigo", QStringLiteral("CODIGO BLISTER"));
    auto *btnEntregar = Componente<QPushButton>(grpCargas, "btnEntregar", QStringLiteral("ENTREGAR"));
    auto *btnEntregarTodos
            = Componente<QPushButton>(grpCargas, "btnEntregarTodos", QStringLiteral("ENTREGAR TODOS"));
    auto *codigo = new QHBoxLayout;
    codigo->addWidget(lblCodigo);
    codigo->addWidget(m_edtCodigo);
    codigo->addWidget(btnEntregar);
    codigo->addWidget(btnEntregarTodos);
    codigo->addStretch();
    auto *cargas = new QVBoxLayout(grpCargas);
    cargas->addWidget(m_cargas.Rejilla());
    cargas->addLayout(codigo);

    m_grpRecetas->setTitle(QStringLiteral("MEDICAMENTOS PENDIENTES DE RECETA EN LA PROXIMA CARGA"));
    m_grdRecetas->setColumnCount(kColumnasReceta);
    m_grdRecetas->setHorizontalHeaderLabels({QStringLiteral("MEDICAMENTO"), QStringLiteral("CARGA"),
                                             QStringLiteral("FALTAN"), QStringLiteral("ESTADO")});
    m_grdRecetas->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdRecetas->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdRecetas->verticalHeader()->hide();
    m_grdRecetas->horizontalHeader()->setSectionResizeMode(kColMedicamento, QHeaderView::Stretch);
    auto *btnImprimir = Componente<QPushButton>(m_grpRecetas, "btnImprimir", QStringLiteral("IMPRIMIR"));
    auto *recetas = new QVBoxLayout(m_grpRecetas);
    recetas->addWidget(m_grdRecetas);
    recetas->addWidget(btnImprimir, 0, Qt::AlignRight);

    auto *btnVolver = Componente<QPushButton>(this, "btnVolver", QStringLiteral("VOLVER"));
    auto *marco = new TMarcoPantalla(this);
    auto *pantalla = new QVBoxLayout(this);
    pantalla->setContentsMargins(0, 0, 0, 0);
    pantalla->addWidget(marco);
    auto *contenido = new QVBoxLayout(marco->Contenido());
    contenido->addWidget(m_cabecera);
    contenido->addWidget(grpCargas, 1);
    contenido->addWidget(m_grpRecetas, 1);
    contenido->addWidget(btnVolver, 0, Qt::AlignRight);

    connect(btnEntregar, &QPushButton::clicked, this, &TFormPacienteEntrega::btnEntregarClick);
    connect(btnEntregarTodos, &QPushButton::clicked, this, &TFormPacienteEntrega::btnEntregarTodosClick);
    connect(m_edtCodigo, &QLineEdit::returnPressed, this, &TFormPacienteEntrega::EntregarCodigo);
    connect(btnImprimir, &QPushButton::clicked, this, &TFormPacienteEntrega::btnImprimirClick);
    connect(btnVolver, &QPushButton::clicked, this, [this] { emit volver(m_paciente.refPACIENTE); });
}

void TFormPacienteEntrega::AlMostrar()
{
    setWindowTitle(Traducir(QStringLiteral("CAPTION_ENTREGA_BLISTER"), QStringLiteral("Entrega Blister")));
    m_paciente = LeerPacienteCarga(DM(), DM().idPacienteActivo).value_or(TPacienteCarga {});
    m_cabecera->Mostrar(m_paciente);
    Refrescar();
    // Stock is not kept in the United Kingdom: nothing there to ask prescriptions for.
    const bool conStock = Preferencias().NoReinoUnido;
    m_grpRecetas->setVisible(conStock);
    m_recetas = conStock ? PendientesDeReceta(DM(), m_paciente.idPaciente) : QList<TPendienteReceta> {};
    MostrarRecetas();
    m_edtCodigo->clear();
    m_edtCodigo->setFocus();
    Auditar(windowTitle(), LOPD::kConsulta, LOPD::kAceptado);
}

void TFormPacienteEntrega::btnEntregarClick()
{
    if (!m_edtCodigo->text().trimmed().isEmpty()) {
        EntregarCodigo();
        return;
    }
    const std::optional<TFilaCarga> carga = m_cargas.Seleccionada();
    if (!carga)
        return;
    m_entrega.Entregar(*carga);
    Refrescar();
}

void TFormPacienteEntrega::btnEntregarTodosClick()
{
    m_entrega.EntregarTodas(m_cargas.Cargas());
    Refrescar();
}

void TFormPacienteEntrega::btnImprimirClick()
{
    if (m_recetas.isEmpty())
        return;
    TFormPreview::Mostrar(InformePendientesPaciente(m_paciente, m_recetas, MembreteFarmacia(Preferencias()),
                                                    Clock::today()));
    Auditar(Traducir(QStringLiteral("CAPTION_LOPD_Listado_PENDIENTE_DE_RECETA"),
                     QStringLiteral("Listado PENDIENTE DE RECETA")),
            LOPD::kConsulta, LOPD::kAceptado);
}

void TFormPacienteEntrega::EntregarCodigo()
{
    const QString codigo = m_edtCodigo->text().trimmed();
    if (codigo.isEmpty())
        return;
    // Read again, so that a load stored meanwhile by another workstation is found too.
    Refrescar();
    m_entrega.EntregarCodigo(codigo, m_cargas.Cargas(), TAmbitoEntrega::Paciente(m_paciente.idPaciente));
    Refrescar();
    m_edtCodigo->clear();
    m_edtCodigo->setFocus();
}

void TFormPacienteEntrega::Refrescar()
{
    m_cargas.Mostrar(CargasPendientesPaciente(DM(), m_paciente.idPaciente));
}

void TFormPacienteEntrega::MostrarRecetas()
{
    const QLocale local;
    m_grdRecetas->setRowCount(0);
    m_grdRecetas->setRowCount(int(m_recetas.size()));
    for (int fila = 0; fila < m_recetas.size(); ++fila) {
        const TPendienteReceta &receta = m_recetas.at(fila);
        const QStringList textos {receta.Medicamento, local.toString(receta.CantidadNecesaria),
                                  local.toString(receta.CantidadFalta), receta.Estado};
        for (int columna = 0; columna < kColumnasReceta; ++columna)
            m_grdRecetas->setItem(fila, columna, new QTableWidgetItem(textos.at(columna)));
    }
}
