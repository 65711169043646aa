#include "ui/audit/FAuditoria.h"

#include "core/audit/InformeAuditoria.h"
#include "core/audit/ModeloAuditoria.h"
#include "core/common/Clock.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "ui/i18n/Componente.h"
#include "ui/reports/Fpreview.h"
#include "ui/shell/CampoFecha.h"
#include "ui/shell/Mensajes.h"
#include "ui/shell/TMarcoPantalla.h"
#include "ui/shell/TMenuConsultas.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// An editable list whose entries are data, or the words the log writes (set in the language in
// force), never replaced by a form line.
QComboBox *Lista(QWidget *padre, const char *nombre)
{
    auto *lista = Componente<QComboBox>(padre, nombre);
    lista->setEditable(true);
    lista->setInsertPolicy(QComboBox::NoInsert);
    TextosDeCodigo(*lista);
    return lista;
}

// Refills a list, keeping what the user typed in it.
void Llenar(QComboBox &lista, const QStringList &valores)
{
    const QString escrito = lista.currentText();
    lista.clear();
    lista.addItem(QString()); // no condition
    lista.addItems(valores);
    lista.setCurrentText(escrito);
}

} // namespace

TFormAuditoria::TFormAuditoria(QWidget *parent)
    : TPantalla(parent)
    , m_cmbUsuario(Lista(this, "cmbUsuario"))
    , m_cmbAccion(Lista(this, "cmbAccion"))
    , m_cmbOperacion(Lista(this, "cmbOperacion"))
    , m_cmbResultado(Lista(this, "cmbResultado"))
    , m_edtPaciente(Componente<QLineEdit>(this, "edtPaciente"))
    , m_fecInicio(new TCampoFecha(QStringLiteral("edtFechaInicio"), this))
    , m_fecFin(new TCampoFecha(QStringLiteral("edtFechaFin"), this))
    , m_grdAuditoria(Componente<QTableView>(this, "grdAuditoria"))
    , m_modelo(new TModeloAuditoria(DM(), this))
{
    setObjectName(QStringLiteral("FormAuditoria"));
    setWindowTitle(QStringLiteral("AUDITORIA"));
    for (TCampoFecha *fecha : {m_fecInicio, m_fecFin})
        fecha->Campo()->setPlaceholderText(QStringLiteral("dd/mm/aaaa"));

    m_grdAuditoria->setModel(m_modelo);
    m_grdAuditoria->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdAuditoria->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdAuditoria->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdAuditoria->horizontalHeader()->setStretchLastSection(true);

    auto *filtros = new QGridLayout;
    const auto filtro
            = [&](int fila, int columna, const char *etiqueta, const QString &texto, QWidget *campo) {
                  filtros->addWidget(Componente<QLabel>(this, etiqueta, texto), fila, columna * 2);
                  filtros->addWidget(campo, fila, columna * 2 + 1);
              };
    filtro(0, 0, "lblUsuario", QStringLiteral("USUARIO"), m_cmbUsuario);
    filtro(0, 1, "lblAccion", QStringLiteral("ACCION"), m_cmbAccion);
    filtro(0, 2, "lblOperacion", QStringLiteral("OPERACION"), m_cmbOperacion);
    filtro(1, 0, "lblResultado", QStringLiteral("RESULTADO"), m_cmbResultado);
    filtro(1, 1, "lblPaciente", QStringLiteral("PACIENTE"), m_edtPaciente);
    filtro(2, 0, "lblFechaInicio", QStringLiteral("FECHA INICIO"), m_fecInicio);
    filtro(2, 1, "lblFechaFin", QStringLiteral("FECHA FIN"), m_fecFin);
    auto *btnFiltrar = Componente<QPushButton>(this, "btnFiltrar", QStringLiteral("FILTRAR"));
    filtros->addWidget(btnFiltrar, 0, 6, 3, 1);

    auto *btnImprimir = Componente<QPushButton>(this, "btnImprimir", QStringLiteral("IMPRIMIR"));
    auto *btnExportar = Componente<QPushButton>(this, "btnExportar", QStringLiteral("EXPORTAR"));
    btnExportar->hide(); // exporting the log is not offered
    auto *botones = new QHBoxLayout;
    botones->addWidget(btnImprimir);
    botones->addWidget(btnExportar);
    botones->addStretch();

    auto *lista = new QVBoxLayout;
    lista->addLayout(filtros);
    lista->addWidget(m_grdAuditoria, 1);
    lista->addLayout(botones);
    TMarcoPantalla::ConMenu<TMenuConsultas>(*this, lista);

    connect(btnFiltrar, &QPushButton::clicked, this, &TFormAuditoria::btnFiltrarClick);
    for (QLineEdit *campo : {m_edtPaciente, m_fecInicio->Campo(), m_fecFin->Campo()})
        connect(campo, &QLineEdit::returnPressed, this, &TFormAuditoria::btnFiltrarClick);
    connect(btnImprimir, &QPushButton::clicked, this, &TFormAuditoria::btnImprimirClick);
    connect(btnExportar, &QPushButton::clicked, this, &TFormAuditoria::btnExportarClick);
}

void TFormAuditoria::AlMostrar()
{
    Llenar(*m_cmbUsuario, UsuariosAuditoria(DM()));
    Llenar(*m_cmbAccion, AccionesAuditoria(DM()));
    Llenar(*m_cmbOperacion, OperacionesAuditoria());
    Llenar(*m_cmbResultado, ResultadosAuditoria());
    const TCamposAuditoria mes = CamposAuditoriaDelMes(Clock::today());
    m_fecInicio->setTexto(mes.Desde);
    m_fecFin->setTexto(mes.Hasta);
    Filtrar();
}

TCamposAuditoria TFormAuditoria::Campos() const
{
    return {m_cmbUsuario->currentText(),
            m_cmbAccion->currentText(),
            m_cmbOperacion->currentText(),
            m_cmbResultado->currentText(),
            m_edtPaciente->text(),
            m_fecInicio->Texto(),
            m_fecFin->Texto()};
}

std::optional<TCamposAuditoria> TFormAuditoria::Filtrar()
{
    const TCamposAuditoria campos = Campos();
    const TFiltroAuditoriaLeido leido = LeerFiltroAuditoria(campos);
    if (!leido.valido()) {
        MostrarError(leido.error);
        (leido.campo == TCampoAuditoria::Desde ? m_fecInicio : m_fecFin)->setFocus();
        return std::nullopt;
    }
    m_modelo->Consultar(leido.filtro);
    if (m_modelo->rowCount() > 0)
        m_grdAuditoria->setCurrentIndex(m_modelo->index(0, 0));
    return campos;
}

void TFormAuditoria::btnFiltrarClick()
{
    Filtrar();
}

void TFormAuditoria::btnImprimirClick()
{
    // The printed listing is the one its header describes: the fields are applied first.
    const std::optional<TCamposAuditoria> campos = Filtrar();
    if (!campos || m_modelo->rowCount() == 0)
        return;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restaurar = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        TFormPreview::Mostrar(InformeAuditoria(*campos, m_modelo->Todas(), MembreteFarmacia(Preferencias()),
                                               Clock::today()));
    }
    m_grdAuditoria->setCurrentIndex(m_modelo->index(0, 0));
}

void TFormAuditoria::btnExportarClick()
{
    MostrarAviso(Traducir(QStringLiteral("MSG_NOT_IMPLEMENTED"), QStringLiteral("NOT IMPLEMENTED: "))
                 + Traducir(QStringLiteral("NIP_EXPORTAR_DESCARGO"), QStringLiteral("EXPORTAR DESCARGO")));
}
