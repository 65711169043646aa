#include "ui/loading/FCargas.h"

#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/BorrarCarga.h"
#include "core/loading/InformeCargas.h"
#include "core/loading/ModeloCargas.h"
#include "core/settings/uPreferencias.h"
#include "ui/i18n/Componente.h"
#include "ui/loading/FDlgValCarga.h"
#include "ui/loading/QREtiquetasImpresion.h"
#include "ui/reports/Fpreview.h"
#include "ui/reports/ListadoRejilla.h"
#include "ui/shell/ComboCategorias.h"
#include "ui/shell/Mensajes.h"
#include "ui/shell/TMarcoPantalla.h"
#include "ui/shell/TMenuConsultas.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

TFormCargas::TFormCargas(QWidget *parent)
    : TPantalla(parent)
    , m_edtFechaDesde(Componente<QLineEdit>(this, "edtFechaDesde"))
    , m_edtFechaHasta(Componente<QLineEdit>(this, "edtFechaHasta"))
    , m_edtPaciente(Componente<QLineEdit>(this, "edtPaciente"))
    , m_edtRecarga(Componente<QLineEdit>(this, "edtRecarga"))
    , m_cmbSitEntrega(Componente<QComboBox>(this, "cmbSitEntrega"))
    , m_cmbCategoria(Componente<TComboCategorias>(this, "cmbCategoria"))
    , m_grdCargas(Componente<QTableView>(this, "grdCargas"))
    , m_modelo(new TModeloCargas(DM(), this))
    , m_listado(nullptr)
{
    setObjectName(QStringLiteral("FormCargas"));
    setWindowTitle(QStringLiteral("CARGAS"));
    // In the order of TSituacionCargas; no choice until the user makes one.
    m_cmbSitEntrega->addItems({QStringLiteral("TODAS"), QStringLiteral("PREPARADOS"),
                               QStringLiteral("ENTREGADOS"), QStringLiteral("RETORNADOS")});
    m_cmbSitEntrega->setPlaceholderText(QStringLiteral("TODOS"));
    m_cmbSitEntrega->setCurrentIndex(-1);
    for (QLineEdit *fecha : {m_edtFechaDesde, m_edtFechaHasta})
        fecha->setPlaceholderText(QStringLiteral("dd/mm/aaaa"));

    m_grdCargas->setModel(m_modelo);
    m_listado = new TListadoRejilla(*m_grdCargas, Qt::AscendingOrder);
    m_grdCargas->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdCargas->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdCargas->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdCargas->horizontalHeader()->setStretchLastSection(true);

    auto *filtros = new QGridLayout;
    const auto filtro
            = [&](int fila, int columna, const char *etiqueta, const QString &texto, QWidget *campo) {
                  filtros->addWidget(Componente<QLabel>(this, etiqueta, texto), fila, columna * 2);
                  filtros->addWidget(campo, fila, columna * 2 + 1);
              };
    filtro(0, 0, "lblFechaDesde", QStringLiteral("FECHA DESDE"), m_edtFechaDesde);
    filtro(0, 1, "lblFechaHasta", QStringLiteral("FECHA HASTA"), m_edtFechaHasta);
    filtro(0, 2, "lblSitEntrega", QStringLiteral("SIT. ENTREGA"), m_cmbSitEntrega);
    filtro(1, 0, "lblPaciente", QStringLiteral("PACIENTE"), m_edtPaciente);
    filtro(1, 1, "lblRecarga", QStringLiteral("RECARGA"), m_edtRecarga);
    filtro(1, 2, "lblCategoria", QStringLiteral("CATEGORIA"), m_cmbCategoria);
    auto *btnFiltrar = Componente<QPushButton>(this, "btnFiltrar", QStringLiteral("FILTRAR"));
    filtros->addWidget(btnFiltrar, 0, 6, 2, 1);

    auto *btnImprimir = Componente<QPushButton>(this, "btnImprimir", QStringLiteral("IMPRIMIR"));
    auto *btnEtiquetas = Componente<QPushButton>(this, "btnEtiquetas", QStringLiteral("ETIQUETAS"));
    auto *btnBorrar = Componente<QPushButton>(this, "btnBorrar", QStringLiteral("BORRAR"));
    auto *btnExportar = Componente<QPushButton>(this, "btnExportar", QStringLiteral("EXPORTAR"));
    btnExportar->hide(); // exporting the list is not offered
    auto *botones = new QHBoxLayout;
    for (QPushButton *boton : {btnImprimir, btnEtiquetas, btnBorrar, btnExportar})
        botones->addWidget(boton);
    botones->addStretch();

    auto *lista = new QVBoxLayout;
    lista->addLayout(filtros);
    lista->addWidget(m_grdCargas, 1);
    lista->addLayout(botones);
    TMarcoPantalla::ConMenu<TMenuConsultas>(*this, lista);

    connect(btnFiltrar, &QPushButton::clicked, this, &TFormCargas::btnFiltrarClick);
    for (QLineEdit *campo : {m_edtFechaDesde, m_edtFechaHasta, m_edtPaciente, m_edtRecarga})
        connect(campo, &QLineEdit::returnPressed, this, &TFormCargas::btnFiltrarClick);
    connect(btnImprimir, &QPushButton::clicked, this, &TFormCargas::btnImprimirClick);
    connect(btnEtiquetas, &QPushButton::clicked, this, &TFormCargas::btnEtiquetasClick);
    connect(btnBorrar, &QPushButton::clicked, this, &TFormCargas::btnBorrarClick);
    connect(btnExportar, &QPushButton::clicked, this, &TFormCargas::btnExportarClick);
    connect(m_grdCargas, &QTableView::doubleClicked, this, &TFormCargas::grdCargasDblClick);
}

void TFormCargas::AlMostrar()
{
    for (QLineEdit *campo : {m_edtFechaDesde, m_edtFechaHasta, m_edtPaciente, m_edtRecarga})
        campo->clear();
    m_cmbCategoria->Llenar();
    Filtrar();
}

qint64 TFormCargas::idSeleccionado() const
{
    const QModelIndex actual = m_grdCargas->currentIndex();
    return actual.isValid() ? m_modelo->Fila(actual.row()).idRecarga : 0;
}

bool TFormCargas::SeleccionarCarga(qint64 idRecarga)
{
    const int fila = m_modelo->FilaDeCarga(idRecarga);
    if (fila < 0)
        return false;
    m_grdCargas->setCurrentIndex(m_modelo->index(fila, 0));
    m_grdCargas->selectRow(fila);
    m_grdCargas->scrollTo(m_modelo->index(fila, 0));
    return true;
}

std::optional<TFiltroCargasLeido> TFormCargas::Filtrar()
{
    TCamposFiltroCargas campos {m_edtFechaDesde->text(), m_edtFechaHasta->text(), m_edtPaciente->text(),
                                m_edtRecarga->text(),    TSituacionCargas::Todas, std::nullopt};
    if (m_cmbSitEntrega->currentIndex() > 0)
        campos.Situacion = TSituacionCargas(m_cmbSitEntrega->currentIndex());
    if (const QVariant categoria = m_cmbCategoria->currentData(); categoria.isValid())
        campos.Categoria = categoria.toInt();
    const TFiltroCargasLeido leido = LeerFiltroCargas(DM(), campos);
    if (!leido.valido()) {
        MostrarError(leido.error);
        switch (leido.campo) {
        case TCampoFiltroCargas::Desde:
            m_edtFechaDesde->setFocus();
            break;
        case TCampoFiltroCargas::Hasta:
            m_edtFechaHasta->setFocus();
            break;
        case TCampoFiltroCargas::Paciente:
            m_edtPaciente->setFocus();
            break;
        case TCampoFiltroCargas::Recarga:
            m_edtRecarga->setFocus();
            break;
        case TCampoFiltroCargas::Ninguno:
            break;
        }
        return std::nullopt;
    }
    const qint64 seleccionada = idSeleccionado();
    m_modelo->Consultar(leido.filtro);
    if (!SeleccionarCarga(seleccionada) && m_modelo->rowCount() > 0)
        SeleccionarCarga(m_modelo->Fila(0).idRecarga);
    return leido;
}

void TFormCargas::Releer()
{
    const qint64 seleccionada = idSeleccionado();
    const int fila = m_grdCargas->currentIndex().row();
    m_modelo->Releer();
    // A load no longer listed leaves the selection on the row that took its place.
    if (!SeleccionarCarga(seleccionada) && m_modelo->rowCount() > 0)
        SeleccionarCarga(m_modelo->Fila(std::clamp(fila, 0, m_modelo->rowCount() - 1)).idRecarga);
}

void TFormCargas::btnFiltrarClick()
{
    Filtrar();
}

void TFormCargas::btnImprimirClick()
{
    // The printed list is the one its header describes: the fields are applied first.
    const std::optional<TFiltroCargasLeido> leido = Filtrar();
    if (!leido || m_modelo->rowCount() == 0)
        return;
    const TCabeceraListaCargas cabecera {m_edtFechaDesde->text().trimmed(), m_edtFechaHasta->text().trimmed(),
                                         m_cmbSitEntrega->currentText(), m_cmbCategoria->currentText(),
                                         leido->paciente};
    TFormPreview::Mostrar(InformeCargas(cabecera, m_modelo->Todas(), MembreteFarmacia(Preferencias())));
}

void TFormCargas::btnEtiquetasClick()
{
    const QModelIndex actual = m_grdCargas->currentIndex();
    if (!actual.isValid())
        return;
    const TFilaCarga &carga = m_modelo->Fila(actual.row());
    // The load's patient becomes the active one, whom the print's audit row names.
    DM().PacienteActivoPorId(QString::number(carga.idPaciente));
    ImprimirEtiquetasCarga(carga.idRecarga);
}

void TFormCargas::btnBorrarClick()
{
    const qint64 id = idSeleccionado();
    if (id == 0)
        return;
    if (Confirmar(Traducir(QStringLiteral("QST_ELIMINAR_CARGA"),
                           QStringLiteral("¿ESTA SEGURO QUE QUIERE ELIMINAR LA CARGA?")))
        != 1)
        return;
    if (BorrarCarga(id) == kCargaEntregada)
        MostrarError(Traducir(QStringLiteral("ERR_BORRADO_CARGA_ENTREGADO"),
                              QStringLiteral("BORRADO DE CARGA NO PERMITIDO. BLISTER YA ENTREGADO")));
    // Also when it was refused: another workstation may have delivered or deleted it.
    Releer();
}

void TFormCargas::btnExportarClick()
{
    MostrarAviso(Traducir(QStringLiteral("MSG_NOT_IMPLEMENTED"), QStringLiteral("NOT IMPLEMENTED: "))
                 + Traducir(QStringLiteral("NIP_EXPORTAR_CARGAS"), QStringLiteral("EXPORTAR CARGAS")));
}

void TFormCargas::grdCargasDblClick(const QModelIndex &indice)
{
    if (!indice.isValid())
        return;
    const qint64 id = m_modelo->Fila(indice.row()).idRecarga;
    ValidarCarga(id, this);
    m_modelo->Releer();
    SeleccionarCarga(id);
}
