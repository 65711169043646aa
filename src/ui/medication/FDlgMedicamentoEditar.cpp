#include "ui/medication/FDlgMedicamentoEditar.h"

#include "core/common/AppError.h"
#include "core/data/uDM.h"
#include "core/i18n/ULenguaje.h"
#include "core/medication/TCatalogoMedicamentos.h"
#include "core/settings/uPreferencias.h"
#include "render/CodigoBarrasEAN.h"
#include "ui/i18n/Componente.h"
#include "ui/shell/Mensajes.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QVBoxLayout>

#include <type_traits>

namespace {

// A pair of exclusive choices in a row.
QWidget *Eleccion(QWidget *padre, QRadioButton *si, QRadioButton *no)
{
    auto *fila = new QWidget(padre);
    auto *layout = new QHBoxLayout(fila);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *grupo = new QButtonGroup(fila);
    for (QRadioButton *boton : {si, no}) {
        boton->setParent(fila);
        grupo->addButton(boton);
        layout->addWidget(boton);
    }
    return fila;
}

// Shapes and colours are stored as the words of the current language; other text is kept as typed.
void SeleccionarTexto(QComboBox *lista, const QString &texto)
{
    const int indice = lista->findText(texto);
    if (indice >= 0)
        lista->setCurrentIndex(indice);
    else
        lista->setEditText(texto);
}

} // namespace

TDlgMedicamentoEditar::TDlgMedicamentoEditar(qint64 codigo, QWidget *parent)
    : TKelvoDlgForm(parent)
    , m_nuevo(codigo == 0)
    , m_edtCodigo(Componente<QLineEdit>(this, "edtCodigo"))
    , m_imgCodigoBarras(Componente<QLabel>(this, "imgCodigoBarras"))
    , m_edtPVP(Componente<QLineEdit>(this, "edtPVP"))
    , m_edtNombre(Componente<QLineEdit>(this, "edtNombre"))
    , m_edtDescripcion(Componente<QLineEdit>(this, "edtDescripcion"))
    , m_edtDescUsuario(Componente<QLineEdit>(this, "edtDescUsuario"))
    , m_rbSpdSi(Componente<QRadioButton>(this, "rbSpdSi", QStringLiteral("Si")))
    , m_rbSpdNo(Componente<QRadioButton>(this, "rbSpdNo", QStringLiteral("No")))
    , m_rbPrincipioSi(Componente<QRadioButton>(this, "rbPrincipioSi", QStringLiteral("Si")))
    , m_grpDetalle(Componente<QGroupBox>(this, "grpDetalle"))
    , m_rbComprimido(Componente<QRadioButton>(this, "rbComprimido", QStringLiteral("COMPRIMIDO")))
    , m_cmbForma(Componente<QComboBox>(this, "cmbForma"))
    , m_cmbColor(Componente<QComboBox>(this, "cmbColor"))
    , m_cmbVolumen(Componente<QComboBox>(this, "cmbVolumen"))
    , m_edtUnidades(Componente<QLineEdit>(this, "edtUnidades"))
{
    setObjectName(QStringLiteral("DlgMedicamentoEditar"));
    // The title says whether the medication is new; shapes and colours come by their message keys.
    TextosDeCodigo(*this);
    TextosDeCodigo(*m_cmbForma);
    TextosDeCodigo(*m_cmbColor);
    setWindowTitle(m_nuevo ? Traducir(QStringLiteral("CAPTION_NUEVO_MEDICAMENTO"),
                                      QStringLiteral("NUEVO MEDICAMENTO"))
                           : Traducir(QStringLiteral("CAPTION_COMPLETAR_MEDICAMENTO"),
                                      QStringLiteral("COMPLETAR MEDICAMENTO")));
    m_cmbForma->setEditable(true);
    m_cmbForma->addItems({Traducir(QStringLiteral("STR_FOVALADA"), QStringLiteral("OVALADA")),
                          Traducir(QStringLiteral("STR_FREDONDA"), QStringLiteral("REDONDA")),
                          Traducir(QStringLiteral("STR_FCUADRADA"), QStringLiteral("CUADRADA")),
                          Traducir(QStringLiteral("STR_FOCTOGONAL"), QStringLiteral("OCTOGONAL"))});
    m_cmbColor->setEditable(true);
    m_cmbColor->addItems({Traducir(QStringLiteral("STR_CBLANCA"), QStringLiteral("BLANCA")),
                          Traducir(QStringLiteral("STR_CAZUL"), QStringLiteral("AZUL")),
                          Traducir(QStringLiteral("STR_CAMARILLA"), QStringLiteral("AMARILLA")),
                          Traducir(QStringLiteral("STR_CROJA"), QStringLiteral("ROJA"))});
    m_cmbVolumen->addItem(QStringLiteral("GRANDE"), 3);
    m_cmbVolumen->addItem(QStringLiteral("MEDIANO"), 2);
    m_cmbVolumen->addItem(QStringLiteral("PEQUEÑO"), 1);

    auto *rbCapsula = Componente<QRadioButton>(this, "rbCapsula", QStringLiteral("CÁPSULA"));
    auto *detalle = new QFormLayout(m_grpDetalle);
    detalle->addRow(Eleccion(m_grpDetalle, m_rbComprimido, rbCapsula));
    detalle->addRow(Componente<QLabel>(m_grpDetalle, "lblForma", QStringLiteral("FORMA")), m_cmbForma);
    detalle->addRow(Componente<QLabel>(m_grpDetalle, "lblColor", QStringLiteral("COLOR")), m_cmbColor);
    detalle->addRow(Componente<QLabel>(m_grpDetalle, "lblTamano", QStringLiteral("TAMAÑO")), m_cmbVolumen);
    detalle->addRow(Componente<QLabel>(m_grpDetalle, "lblUnidades", QStringLiteral("UNIDADES POR CAJA")),
                    m_edtUnidades);

    auto *campos = new QFormLayout;
    campos->addRow(Componente<QLabel>(this, "lblCodigo", QStringLiteral("CODIGO")), m_edtCodigo);
    campos->addRow(QString(), m_imgCodigoBarras);
    campos->addRow(Componente<QLabel>(this, "lblPVP", QStringLiteral("PVP")), m_edtPVP);
    campos->addRow(Componente<QLabel>(this, "lblNombre", QStringLiteral("NOMBRE")), m_edtNombre);
    campos->addRow(Componente<QLabel>(this, "lblDescripcion", QStringLiteral("DESCRIPCION")),
                   m_edtDescripcion);
    campos->addRow(Componente<QLabel>(this, "lblDescUsuario", QStringLiteral("DESCRIPCION USUARIO")),
                   m_edtDescUsuario);
    campos->addRow(Componente<QLabel>(this, "lblEmblistable", QStringLiteral("EMBLISTABLE")),
                   Eleccion(this, m_rbSpdSi, m_rbSpdNo));
    auto *rbPrincipioNo = Componente<QRadioButton>(this, "rbPrincipioNo", QStringLiteral("No"));
    rbPrincipioNo->setChecked(true);
    campos->addRow(Componente<QLabel>(this, "lblPrincipio", QStringLiteral("PRINCIPIO ACTIVO")),
                   Eleccion(this, m_rbPrincipioSi, rbPrincipioNo));
    auto *btnAceptar = Componente<QPushButton>(this, "btnAceptar", QStringLiteral("ACEPTAR"));
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(campos);
    layout->addWidget(m_grpDetalle);
    layout->addWidget(btnAceptar);

    connect(m_edtCodigo, &QLineEdit::textChanged, this, &TDlgMedicamentoEditar::MostrarCodigoBarras);
    connect(m_rbSpdSi, &QRadioButton::clicked, this, [this] { EmblistableClick(true); });
    connect(m_rbSpdNo, &QRadioButton::clicked, this, [this] { EmblistableClick(false); });
    connect(btnAceptar, &QPushButton::clicked, this, &TDlgMedicamentoEditar::btnAceptarClick);
    m_grpDetalle->setVisible(false);
    m_rbComprimido->setChecked(true);
    if (!m_nuevo)
        Cargar(codigo);
}

void TDlgMedicamentoEditar::Cargar(qint64 codigo)
{
    TConsulta fila = DM().Consulta(
            QStringLiteral("SELECT idMedicamento, PVP, Medicamento, Descripcion, DescUsuario, "
                           "Definido, SPD, IPrinActiv, Comprimido, Forma, Color, Volumen, "
                           "Unidades, iManual FROM Medicamento WHERE idMedicamento = ?"),
            {codigo});
    if (!fila.next())
        return;
    m_edtCodigo->setText(fila.value(0).toString());
    m_edtCodigo->setReadOnly(true);
    m_edtPVP->setText(fila.value(1).toString());
    m_edtNombre->setText(fila.value(2).toString());
    m_edtDescripcion->setText(fila.value(3).toString());
    const QString descUsuario = fila.value(4).toString();
    m_edtDescUsuario->setText(descUsuario.isEmpty()
                                      ? fila.value(2).toString() + QLatin1Char(' ') + fila.value(3).toString()
                                      : descUsuario);
    const bool propio = fila.value(13).toInt() == 1;
    for (QLineEdit *campo : {m_edtPVP, m_edtNombre, m_edtDescripcion})
        campo->setReadOnly(!propio);
    m_rbPrincipioSi->setChecked(fila.value(7).toInt() == 1);
    if (fila.value(5).toInt() == 0)
        return; // never completed: the blister decision is still to be made
    const bool spd = fila.value(6).toInt() != 0;
    (spd ? m_rbSpdSi : m_rbSpdNo)->setChecked(true);
    m_grpDetalle->setVisible(spd);
    m_rbComprimido->setChecked(fila.value(8).toInt() != 0);
    SeleccionarTexto(m_cmbForma, fila.value(9).toString());
    SeleccionarTexto(m_cmbColor, fila.value(10).toString());
    m_cmbVolumen->setCurrentIndex(qMax(0, m_cmbVolumen->findData(fila.value(11).toInt())));
    m_edtUnidades->setText(fila.value(12).toString());
}

// Codes kept whole (EAN-8 or EAN-13) are shown as their bar code; the national codes of other
// lengths have none, which is not an error while typing.
void TDlgMedicamentoEditar::MostrarCodigoBarras()
{
    const TImagenEAN dibujo = CodigoBarrasEAN(m_edtCodigo->text().trimmed());
    if (dibujo.imagen.isNull())
        m_imgCodigoBarras->clear();
    else
        m_imgCodigoBarras->setPixmap(QPixmap::fromImage(dibujo.imagen));
}

void TDlgMedicamentoEditar::EmblistableClick(bool si)
{
    m_grpDetalle->setVisible(si);
    if (!si)
        return;
    m_rbComprimido->setChecked(true);
    m_cmbForma->setCurrentIndex(0);
    m_cmbColor->setCurrentIndex(0);
    m_cmbVolumen->setCurrentIndex(0);
    m_edtUnidades->setFocus();
}

TDatosMedicamento TDlgMedicamentoEditar::Datos() const
{
    TDatosMedicamento datos;
    datos.Codigo = m_edtCodigo->text();
    datos.PVP = m_edtPVP->text();
    datos.Medicamento = m_edtNombre->text();
    datos.Descripcion = m_edtDescripcion->text();
    datos.DescUsuario = m_edtDescUsuario->text();
    if (m_rbSpdSi->isChecked() || m_rbSpdNo->isChecked())
        datos.SPD = m_rbSpdSi->isChecked();
    datos.PrincipioActivo = m_rbPrincipioSi->isChecked();
    datos.Comprimido = m_rbComprimido->isChecked();
    datos.Forma = m_cmbForma->currentText();
    datos.Color = m_cmbColor->currentText();
    datos.Volumen = m_cmbVolumen->currentData().toInt();
    datos.Unidades = m_edtUnidades->text();
    return datos;
}

void TDlgMedicamentoEditar::btnAceptarClick()
{
    try {
        TCatalogoMedicamentos(DM()).GuardarMedicamento(Datos(), m_nuevo, Preferencias().NoReinoUnido);
    } catch (const AppError &error) {
        MostrarError(error.message());
        return;
    }
    accept();
}

qint64 TDlgMedicamentoEditar::Codigo() const
{
    return m_edtCodigo->text().trimmed().toLongLong();
}
