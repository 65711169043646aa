#include "ui/medication/FDlgPedirMedicamento.h"

#include "core/common/Clock.h"
#include "core/data/uDM.h"
#include "core/medication/uEAN.h"
#include "core/settings/uPreferencias.h"
#include "core/stock/uInventario.h"
#include "ui/i18n/BotonesDialogo.h"
#include "ui/i18n/Componente.h"
#include "ui/shell/Mensajes.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The locale writes its short dates month first (as "M/d/yyyy").
bool MesPrimero()
{
    const QString formato = QLocale().dateFormat(QLocale::ShortFormat);
    return formato.indexOf(QLatin1Char('M')) < formato.indexOf(QLatin1Char('d'));
}

} // namespace

TDlgPedirMedicamento::TDlgPedirMedicamento(qint64 esperado, QWidget *parent)
    : TKelvoDlgForm(parent)
    , m_esperado(esperado)
    , m_edtCodigo(Componente<QLineEdit>(this, "edtCodigo"))
    , m_cmbMedicamento(Componente<QComboBox>(this, "cmbMedicamento"))
    , m_edtPrincipio(Componente<QLineEdit>(this, "edtPrincipio"))
    , m_cmbPrincipio(Componente<QComboBox>(this, "cmbPrincipio"))
    , m_edtLote(Componente<QLineEdit>(this, "edtLote"))
    , m_edtCaducidad(Componente<QLineEdit>(this, "edtCaducidad"))
{
    setObjectName(QStringLiteral("DlgPedirMedicamento"));
    setWindowTitle(QStringLiteral("INTRODUCIR MEDICAMENTO"));
    Enlazar(m_edtCodigo, m_cmbMedicamento, false);
    TextosDeCodigo(*m_cmbMedicamento); // the patient's medication
    Enlazar(m_edtPrincipio, m_cmbPrincipio, true);
    auto *btnCalendario = Componente<QToolButton>(this, "btnCalendario", QStringLiteral("..."));
    auto *caducidad = new QHBoxLayout;
    caducidad->addWidget(m_edtCaducidad);
    caducidad->addWidget(btnCalendario);

    auto *campos = new QFormLayout;
    campos->addRow(Componente<QLabel>(this, "lblCodigo", QStringLiteral("CÓDIGO MEDICAMENTO")), m_edtCodigo);
    campos->addRow(QString(), m_cmbMedicamento);
    campos->addRow(Componente<QLabel>(this, "lblPrincipio", QStringLiteral("CÓDIGO PRINCIPIO ACTIVO")),
                   m_edtPrincipio);
    campos->addRow(QString(), m_cmbPrincipio);
    campos->addRow(Componente<QLabel>(this, "lblLote", QStringLiteral("LOTE")), m_edtLote);
    campos->addRow(Componente<QLabel>(this, "lblCaducidad", QStringLiteral("CADUCIDAD")), caducidad);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(campos);
    layout->addLayout(BotonesAceptarCancelar(this, [this] { btnAceptarClick(); }));

    connect(btnCalendario, &QToolButton::clicked, this, &TDlgPedirMedicamento::ElegirCalendario);
    if (esperado > 0) {
        QLineEdit *campo = DM().EsPrincipioActivo(QString::number(esperado)) ? m_edtPrincipio : m_edtCodigo;
        campo->setText(QString::number(esperado));
        emit campo->textEdited(campo->text());
    }
}

void TDlgPedirMedicamento::Enlazar(QLineEdit *codigo, QComboBox *lista, bool principiosActivos)
{
    lista->addItem(QString());
    TConsulta query = DM().Consulta(TDM::ListaMedicamentosSql(principiosActivos));
    const int completo = query.record().indexOf(QStringLiteral("Completo"));
    const int id = query.record().indexOf(QStringLiteral("idMedicamento"));
    while (query.next())
        lista->addItem(query.value(completo).toString(), query.value(id).toLongLong());

    // Typing a code selects its entry; choosing an entry fills the code.
    connect(codigo, &QLineEdit::textEdited, lista, [lista](const QString &texto) {
        bool numero = false;
        const qint64 valor = texto.trimmed().toLongLong(&numero);
        const int indice = numero ? lista->findData(valor) : -1;
        lista->setCurrentIndex(indice < 0 ? 0 : indice);
    });
    connect(lista, &QComboBox::activated, codigo, [codigo, lista](int indice) {
        codigo->setText(indice > 0 ? lista->itemData(indice).toString() : QString());
    });
    // A scanned bar code keeps the national code inside it.
    connect(codigo, &QLineEdit::editingFinished, codigo, [codigo] {
        const QString cortado = CortarCodigoEscaneado(codigo->text(), Preferencias().Pais);
        if (cortado != codigo->text()) {
            codigo->setText(cortado);
            emit codigo->textEdited(cortado);
        }
    });
    codigo->installEventFilter(this);
}

bool TDlgPedirMedicamento::eventFilter(QObject *objeto, QEvent *evento)
{
    // A scanner ends the code with Enter: it moves to the next field instead of accepting.
    const bool cajaCodigo = objeto == m_edtCodigo || objeto == m_edtPrincipio;
    if (cajaCodigo && evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent *>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return TKelvoDlgForm::eventFilter(objeto, evento);
}

void TDlgPedirMedicamento::ElegirCalendario()
{
    auto *calendario = new QCalendarWidget(this);
    calendario->setObjectName(QStringLiteral("calCaducidad"));
    calendario->setWindowFlags(Qt::Popup);
    calendario->setAttribute(Qt::WA_DeleteOnClose);
    calendario->setMinimumDate(Clock::today());
    connect(calendario, &QCalendarWidget::clicked, this, [this, calendario](const QDate &dia) {
        const QString formato = MesPrimero() ? QStringLiteral("MM/dd/yyyy") : QStringLiteral("dd/MM/yyyy");
        m_edtCaducidad->setText(dia.toString(formato));
        calendario->close();
    });
    calendario->move(m_edtCaducidad->mapToGlobal(QPoint(0, m_edtCaducidad->height())));
    calendario->show();
}

void TDlgPedirMedicamento::btnAceptarClick()
{
    TPeticionMedicamento::TContexto contexto;
    contexto.Esperado = m_esperado;
    contexto.ConInventario = TInventario(DM()).ConInventario(DM().idPacienteActivo);
    contexto.DatosObligatorios = Preferencias().IdatMedOB == 1;
    contexto.MesPrimero = MesPrimero();
    const TRespuestaPeticion respuesta = TPeticionMedicamento(DM(), contexto)
                                                 .Validar({m_edtCodigo->text(), m_edtPrincipio->text(),
                                                           m_edtLote->text(), m_edtCaducidad->text()});
    if (!respuesta.Error.isEmpty()) {
        MostrarError(respuesta.Error);
        switch (respuesta.Campo) {
        case TCampoPeticion::Producto:
            m_edtCodigo->setFocus();
            break;
        case TCampoPeticion::Principio:
            m_edtPrincipio->setFocus();
            break;
        case TCampoPeticion::Lote:
            m_edtLote->setFocus();
            break;
        case TCampoPeticion::Caducidad:
            m_edtCaducidad->setFocus();
            break;
        }
        return;
    }
    m_pedido = respuesta.Pedido;
    accept();
}

bool PedirMedicamento(qint64 esperado, TMedicamentoPedido &pedido, QWidget *parent)
{
    TDlgPedirMedicamento dialogo(esperado, parent);
    if (dialogo.exec() != QDialog::Accepted)
        return false;
    pedido = dialogo.Pedido();
    return true;
}
