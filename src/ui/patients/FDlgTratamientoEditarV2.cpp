#include "ui/patients/FDlgTratamientoEditarV2.h"

#include "core/common/AppError.h"
#include "core/common/Clock.h"
#include "core/data/uDM.h"
#include "core/dosing/UPosologia.h"
#include "core/i18n/ULenguaje.h"
#include "core/loading/VentanaCarga.h"
#include "core/settings/uPreferencias.h"
#include "ui/i18n/BotonesDialogo.h"
#include "ui/i18n/Componente.h"
#include "ui/patients/CampoMedico.h"
#include "ui/patients/PanelDosis.h"
#include "ui/shell/Mensajes.h"
#include "ui/stock/TAltaStock.h"

#include <QButtonGroup>
#include <QCalendarWidget>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The widths of the SPD columns the fields are stored in.
constexpr int kAnchoDosis = 250;
constexpr int kAnchoBoton = 32;

QLineEdit *SoloVer(QWidget *padre, const char *nombre)
{
    auto *campo = Componente<QLineEdit>(padre, nombre);
    campo->setReadOnly(true);
    return campo;
}

// A field with its calendar button beside it.
QWidget *ConCalendario(QWidget *padre, QLineEdit *campo, QPushButton *boton)
{
    auto *fila = new QWidget(padre);
    auto *layout = new QHBoxLayout(fila);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(campo);
    layout->addWidget(boton);
    boton->setAutoDefault(false);
    boton->setFixedWidth(kAnchoBoton);
    return fila;
}

// A caption and its field in a row that is shown or hidden as one.
QWidget *Rotulado(QWidget *padre, const char *nombre, QLabel *rotulo, QWidget *campo)
{
    auto *fila = Componente<QWidget>(padre, nombre);
    auto *layout = new QHBoxLayout(fila);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(rotulo);
    layout->addWidget(campo, 1);
    return fila;
}

} // namespace

TDlgTratamientoEditarv2::TDlgTratamientoEditarv2(const TEntradaEditorTratamiento &entrada, QWidget *parent)
    : TKelvoDlgForm(parent)
    , m_editor(entrada)
    , m_edtCodigo(SoloVer(this, "edtCodigo"))
    , m_edtMedicamento(SoloVer(this, "edtMedicamento"))
    , m_pnlStock(Componente<QWidget>(this, "pnlStock"))
    , m_edtLote(SoloVer(m_pnlStock, "edtLote"))
    , m_edtCaducidad(SoloVer(m_pnlStock, "edtCaducidad"))
    , m_edtCantidad(SoloVer(m_pnlStock, "edtCantidad"))
    , m_cmbMedico(Componente<TCampoMedico>(this, "cmbMedico"))
    , m_edtInicio(Componente<QLineEdit>(this, "edtInicio"))
    , m_btnCalendarioInicio(Componente<QPushButton>(this, "btnCalendarioInicio", QStringLiteral("...")))
    , m_edtFin(Componente<QLineEdit>(this, "edtFin"))
    , m_btnCalendarioFin(Componente<QPushButton>(this, "btnCalendarioFin", QStringLiteral("...")))
    , m_calendario(Componente<QCalendarWidget>(this, "calFecha"))
    , m_rbSpdSi(Componente<QRadioButton>(this, "rbSpdSi", QStringLiteral("Si")))
    , m_rbSpdNo(Componente<QRadioButton>(this, "rbSpdNo", QStringLiteral("No")))
    , m_pnlDosis(new TPanelDosis(m_editor.Dosis, this))
    , m_edtDosisEtiqueta(Componente<QLineEdit>(this, "edtDosisEtiqueta"))
    , m_edtDosisLibre(Componente<QLineEdit>(this, "edtDosisLibre"))
    , m_memNotas(Componente<QPlainTextEdit>(this, "memNotas"))
{
    setObjectName(QStringLiteral("DlgTratamientoEditarv2"));
    TextosDeCodigo(*this); // the title says whether the line goes into the blister
    m_edtDosisEtiqueta->setMaxLength(kAnchoDosis);
    m_edtDosisLibre->setMaxLength(kAnchoDosis);
    // The calendar is a popup: leaving it hides it.
    m_calendario->setWindowFlags(Qt::Popup);
    m_calendario->hide();

    auto *stock = new QHBoxLayout(m_pnlStock);
    stock->setContentsMargins(0, 0, 0, 0);
    stock->addWidget(Componente<QLabel>(m_pnlStock, "lblLote", QStringLiteral("LOTE")));
    stock->addWidget(m_edtLote);
    stock->addWidget(Componente<QLabel>(m_pnlStock, "lblCaducidad", QStringLiteral("CADUCIDAD")));
    stock->addWidget(m_edtCaducidad);
    stock->addWidget(Componente<QLabel>(m_pnlStock, "lblCantidad", QStringLiteral("CANTIDAD")));
    stock->addWidget(m_edtCantidad);

    auto *emblistable = new QWidget(this);
    auto *eleccion = new QHBoxLayout(emblistable);
    eleccion->setContentsMargins(0, 0, 0, 0);
    auto *grupo = new QButtonGroup(emblistable);
    for (QRadioButton *boton : {m_rbSpdSi, m_rbSpdNo}) {
        grupo->addButton(boton);
        eleccion->addWidget(boton);
    }
    eleccion->addStretch();

    auto *campos = new QFormLayout;
    campos->addRow(Componente<QLabel>(this, "lblCodigo", QStringLiteral("CODIGO")), m_edtCodigo);
    campos->addRow(Componente<QLabel>(this, "lblMedicamento", QStringLiteral("MEDICAMENTO")),
                   m_edtMedicamento);
    campos->addRow(m_pnlStock);
    campos->addRow(Componente<QLabel>(this, "lblMedico", QStringLiteral("MEDICO")), m_cmbMedico);
    campos->addRow(Componente<QLabel>(this, "lblInicio", QStringLiteral("INICIO")),
                   ConCalendario(this, m_edtInicio, m_btnCalendarioInicio));
    campos->addRow(Componente<QLabel>(this, "lblFin", QStringLiteral("FIN")),
                   ConCalendario(this, m_edtFin, m_btnCalendarioFin));
    campos->addRow(Componente<QLabel>(this, "lblEmblistable", QStringLiteral("EMBLISTABLE")), emblistable);

    m_pnlEtiqueta
            = Rotulado(this, "pnlDosisEtiqueta",
                       Componente<QLabel>(this, "lblDosisEtiqueta", QStringLiteral("POSOLOGIA ETIQUETAS ")),
                       m_edtDosisEtiqueta);
    m_pnlLibre = Rotulado(this, "pnlDosisLibre",
                          Componente<QLabel>(this, "lblDosisLibre", QStringLiteral("POSOLOGIA")),
                          m_edtDosisLibre);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(campos);
    layout->addWidget(m_pnlDosis);
    layout->addWidget(m_pnlEtiqueta);
    layout->addWidget(m_pnlLibre);
    layout->addWidget(Componente<QLabel>(this, "lblNotas", QStringLiteral("NOTAS")));
    layout->addWidget(m_memNotas);
    layout->addLayout(BotonesAceptarCancelar(this, [this] { btnAceptarClick(); }));

    connect(m_rbSpdSi, &QRadioButton::clicked, this, [this] { EmblistableClick(true); });
    connect(m_rbSpdNo, &QRadioButton::clicked, this, [this] { EmblistableClick(false); });
    connect(m_btnCalendarioInicio, &QPushButton::clicked, this,
            [this] { btnCalendarioClick(m_edtInicio, m_btnCalendarioInicio); });
    connect(m_btnCalendarioFin, &QPushButton::clicked, this,
            [this] { btnCalendarioClick(m_edtFin, m_btnCalendarioFin); });
    connect(m_calendario, &QCalendarWidget::activated, this, [this](const QDate &fecha) {
        if (m_campoCalendario)
            m_campoCalendario->setText(TextoFecha(fecha));
        m_calendario->hide();
    });
    Abrir();
}

void TDlgTratamientoEditarv2::Abrir()
{
    const TEntradaEditorTratamiento &entrada = m_editor.Entrada();
    m_edtCodigo->setText(QString::number(entrada.idMedicamento));
    m_edtMedicamento->setText(entrada.Medicamento);
    m_edtLote->setText(entrada.Lote);
    m_edtCaducidad->setText(
            entrada.Caducidad.isValid() ? entrada.Caducidad.toString(QStringLiteral("MM/yyyy")) : QString());
    QLocale local;
    local.setNumberOptions(QLocale::OmitGroupSeparator);
    m_edtCantidad->setText(local.toString(entrada.Cantidad, 'f', QLocale::FloatingPointShortest));
    // Stock figures are not shown for the United Kingdom, nor when only showing a line.
    m_pnlStock->setVisible(Preferencias().NoReinoUnido && !m_editor.SoloLectura());

    const bool editable = !m_editor.SoloLectura();
    for (QWidget *campo :
         std::initializer_list<QWidget *> {m_cmbMedico, m_edtInicio, m_edtFin, m_rbSpdSi, m_rbSpdNo,
                                           m_pnlDosis, m_edtDosisEtiqueta, m_edtDosisLibre})
        campo->setEnabled(editable);
    m_memNotas->setReadOnly(!editable);
    for (QPushButton *calendario : {m_btnCalendarioInicio, m_btnCalendarioFin})
        calendario->setVisible(editable);
    Mostrar();
}

void TDlgTratamientoEditarv2::Mostrar()
{
    const bool spd = m_editor.SPD();
    setWindowTitle(m_editor.Caption());
    m_cmbMedico->Mostrar(m_editor.Medico);
    m_edtInicio->setText(m_editor.Inicio);
    m_edtFin->setText(m_editor.Fin);
    (spd ? m_rbSpdSi : m_rbSpdNo)->setChecked(true);
    m_pnlDosis->setVisible(spd);
    m_pnlEtiqueta->setVisible(spd);
    m_pnlLibre->setVisible(!spd);
    m_pnlDosis->Mostrar();
    m_edtDosisEtiqueta->setText(m_editor.DosisEtiqueta);
    m_edtDosisLibre->setText(m_editor.DosisLibre);
    m_memNotas->setPlainText(m_editor.Notas);
}

void TDlgTratamientoEditarv2::Leer()
{
    m_editor.Medico = m_cmbMedico->currentText();
    m_editor.Inicio = m_edtInicio->text();
    m_editor.Fin = m_edtFin->text();
    m_editor.Notas = m_memNotas->toPlainText();
    m_editor.DosisEtiqueta = m_edtDosisEtiqueta->text();
    m_editor.DosisLibre = m_edtDosisLibre->text();
    if (m_editor.SPD())
        m_pnlDosis->Leer();
}

void TDlgTratamientoEditarv2::EmblistableClick(bool si)
{
    if (si == m_editor.SPD())
        return;
    Leer();
    m_editor.CambiarSPD(si);
    Mostrar();
}

void TDlgTratamientoEditarv2::btnCalendarioClick(QLineEdit *campo, QPushButton *boton)
{
    if (m_calendario->isVisible() && m_campoCalendario == campo) {
        m_calendario->hide();
        return;
    }
    m_campoCalendario = campo;
    const QDate fecha = LeerFechaCampo(campo->text());
    m_calendario->setSelectedDate(fecha.isValid() ? fecha : Clock::today());
    m_calendario->move(boton->mapToGlobal(QPoint(0, boton->height())));
    m_calendario->show();
}

void TDlgTratamientoEditarv2::Enfocar(const TErrorEditor &error)
{
    if (error.Campo == TCampoEditor::Inicio || error.Campo == TCampoEditor::Fin) {
        QLineEdit *campo = error.Campo == TCampoEditor::Inicio ? m_edtInicio : m_edtFin;
        campo->setFocus();
        campo->selectAll();
        return;
    }
    m_pnlDosis->Enfocar(error);
}

void TDlgTratamientoEditarv2::btnAceptarClick()
{
    if (m_editor.SoloLectura()) {
        accept();
        return;
    }
    Leer();
    if (const std::optional<TErrorEditor> error = m_editor.Validar()) {
        MostrarError(error->Mensaje);
        Enfocar(*error);
        return;
    }
    const TLineaEditada linea = m_editor.Linea();
    try {
        TDM &dm = DM();
        m_editor.Guardada(linea, GuardarLineaTratamiento(dm, dm.idPacienteActivo, linea, m_editor.Caption()));
    } catch (const AppError &error) {
        // Not stored: the user keeps what was typed and may try again or cancel.
        MostrarError(error.message());
        return;
    }
    accept();
}

bool EditarTratamiento(TDlgTratamientoEditarv2 &editor)
{
    editor.Abrir();
    return editor.exec() == QDialog::Accepted;
}

bool EditarLineaTratamiento(const TEntradaEditorTratamiento &entrada, QWidget *parent)
{
    TDlgTratamientoEditarv2 editor(entrada, parent);
    return EditarTratamiento(editor);
}

bool EditarNuevaLinea(const TNuevaLineaTratamiento &nueva, QWidget *parent)
{
    TEntradaEditorTratamiento entrada;
    entrada.SPD = nueva.SPD;
    entrada.SPDInicial = nueva.SPD;
    entrada.idMedicamento = nueva.idMedicamento;
    entrada.Medicamento = nueva.Medicamento;
    entrada.Lote = nueva.Lote;
    entrada.Caducidad = nueva.Caducidad;
    entrada.Cantidad = nueva.Unidades;
    entrada.Medico = nueva.Medico;
    return EditarLineaTratamiento(entrada, parent);
}
