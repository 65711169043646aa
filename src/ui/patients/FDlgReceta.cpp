#include "ui/patients/FDlgReceta.h"

#include "core/audit/uLOPD.h"
#include "core/common/AppError.h"
#include "core/common/Clock.h"
#include "core/data/ManejadorErrores.h"
#include "core/data/uDM.h"
#include "core/dosing/UPosologia.h"
#include "core/i18n/ULenguaje.h"
#include "core/patients/EsFecha.h"
#include "core/patients/Recetas.h"
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
#include <QSqlQuery>
#include <QSqlRecord>
#include <QToolButton>
#include <QVBoxLayout>

TDlgReceta::TDlgReceta(QWidget *parent)
    : TKelvoDlgForm(parent)
    , m_edtFecha(Componente<QLineEdit>(this, "edtFecha"))
    , m_cmbMedicamento(Componente<QComboBox>(this, "cmbMedicamento"))
    , m_edtMedico(Componente<QLineEdit>(this, "edtMedico"))
    , m_cmbPrincipio(Componente<QComboBox>(this, "cmbPrincipio"))
{
    setObjectName(QStringLiteral("DlgReceta"));
    setWindowTitle(
            Traducir(QStringLiteral("CAPTION_INTRODUCIR_RECETA"), QStringLiteral("INTRODUCIR RECETA")));
    // Shown as the application writes dates, so that the text is read back as the same day.
    m_edtFecha->setText(TextoFecha(Clock::today()));
    Llenar(m_cmbMedicamento, false);
    TextosDeCodigo(*m_cmbMedicamento); // the patient's medication
    Llenar(m_cmbPrincipio, true);
    m_edtMedico->setMaxLength(50);
    ManejadorErrores::Proteger([&] {
        m_edtMedico->setText(
                DM().Valor(QStringLiteral("SELECT MedicoNombre FROM Paciente WHERE idPaciente = ?"),
                           {DM().idPacienteActivo})
                        .toString());
    });
    auto *btnCalendario = Componente<QToolButton>(this, "btnCalendario", QStringLiteral("..."));
    btnCalendario->setFocusPolicy(Qt::NoFocus);
    auto *fecha = new QHBoxLayout;
    fecha->addWidget(m_edtFecha);
    fecha->addWidget(btnCalendario);

    auto *campos = new QFormLayout;
    campos->addRow(Componente<QLabel>(this, "lblFecha", QStringLiteral("FECHA RECETA")), fecha);
    campos->addRow(Componente<QLabel>(this, "lblMedicamento", QStringLiteral("MEDICAMENTO")),
                   m_cmbMedicamento);
    campos->addRow(Componente<QLabel>(this, "lblMedico", QStringLiteral("MEDICO")), m_edtMedico);
    campos->addRow(Componente<QLabel>(this, "lblPrincipio", QStringLiteral("PRINCIPIO ACTIVO")),
                   m_cmbPrincipio);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(campos);
    layout->addLayout(BotonesAceptarCancelar(this, [this] { btnAceptarClick(); }));
    setTabOrder(m_edtFecha, m_cmbMedicamento);
    setTabOrder(m_cmbMedicamento, m_edtMedico);
    setTabOrder(m_edtMedico, m_cmbPrincipio);
    for (QWidget *campo : {static_cast<QWidget *>(m_edtFecha), static_cast<QWidget *>(m_cmbMedicamento),
                           static_cast<QWidget *>(m_edtMedico), static_cast<QWidget *>(m_cmbPrincipio)})
        campo->installEventFilter(this);

    connect(btnCalendario, &QToolButton::clicked, this, &TDlgReceta::MostrarCalendario);
}

void TDlgReceta::Llenar(QComboBox *lista, bool principiosActivos)
{
    lista->addItem(QString(), 0);
    ManejadorErrores::Proteger([&] {
        TConsulta query = DM().Consulta(TDM::ListaMedicamentosSql(principiosActivos));
        const int completo = query.record().indexOf(QStringLiteral("Completo"));
        const int id = query.record().indexOf(QStringLiteral("idMedicamento"));
        while (query.next())
            lista->addItem(query.value(completo).toString(), query.value(id).toLongLong());
    });
}

bool TDlgReceta::eventFilter(QObject *objeto, QEvent *evento)
{
    // Enter moves to the next field; in "MEDICO" it accepts.
    if (evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent *>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            if (objeto == m_edtMedico)
                btnAceptarClick();
            else
                focusNextChild();
            return true;
        }
    }
    return TKelvoDlgForm::eventFilter(objeto, evento);
}

void TDlgReceta::MostrarCalendario()
{
    auto *calendario = new QCalendarWidget(this);
    calendario->setObjectName(QStringLiteral("calFecha"));
    calendario->setWindowFlags(Qt::Popup);
    calendario->setAttribute(Qt::WA_DeleteOnClose);
    const QDate escrita = LeerFecha(m_edtFecha->text());
    calendario->setSelectedDate(escrita.isValid() ? escrita : Clock::today());
    // A double click (or Enter) on a day writes it.
    connect(calendario, &QCalendarWidget::activated, this, [this, calendario](const QDate &dia) {
        m_edtFecha->setText(TextoFecha(dia));
        calendario->close();
    });
    calendario->move(m_edtFecha->mapToGlobal(QPoint(0, m_edtFecha->height())));
    calendario->show();
}

void TDlgReceta::btnAceptarClick()
{
    const TNuevaReceta receta {m_edtFecha->text(), m_cmbMedicamento->currentData().toLongLong(),
                               m_cmbPrincipio->currentData().toLongLong(), m_edtMedico->text()};
    const TRecetas::TRechazo rechazo = TRecetas::Comprobar(receta, Clock::today());
    if (!rechazo.Error.isEmpty()) {
        MostrarError(rechazo.Error);
        if (rechazo.campo == TRecetas::Campo::Fecha)
            m_edtFecha->setFocus();
        else
            m_cmbMedicamento->setFocus();
        return;
    }
    // A prescription that is not stored is reported and the dialog stays open.
    try {
        TRecetas(DM()).Guardar(DM().idPacienteActivo, receta);
    } catch (const AppError &error) {
        MostrarError(error.message());
        return;
    }
    Auditar(windowTitle(), LOPD::kAlta, LOPD::kAceptado);
    accept();
}

bool IntroducirReceta(QWidget *parent)
{
    TDlgReceta dialogo(parent);
    return dialogo.exec() == QDialog::Accepted;
}
