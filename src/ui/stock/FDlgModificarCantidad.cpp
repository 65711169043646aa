#include "ui/stock/FDlgModificarCantidad.h"

#include "core/i18n/ULenguaje.h"
#include "core/stock/uInventario.h"
#include "ui/shell/Mensajes.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

TDlgModificarCantidad::TDlgModificarCantidad(double cantidad, QWidget *parent)
    : TKelvoDlgForm(parent)
    , m_edtCantidad(new QLineEdit(this))
    , m_cantidad(cantidad)
{
    setObjectName(QStringLiteral("DlgModificarCantidad"));
    setWindowTitle(
            Traducir(QStringLiteral("CAPTION_MODIFICAR_INVENTARIO"), QStringLiteral("MODIFICAR INVENTARIO")));
    auto *layout = new QVBoxLayout(this);
    auto *lblCantidad = new QLabel(QStringLiteral("CANTIDAD"), this);
    lblCantidad->setObjectName(QStringLiteral("lblCantidad"));
    m_edtCantidad->setObjectName(QStringLiteral("edtCantidad"));
    QLocale local;
    local.setNumberOptions(QLocale::OmitGroupSeparator); // read back by LeerCantidad
    m_edtCantidad->setText(local.toString(cantidad, 'f', QLocale::FloatingPointShortest));
    auto *btnAceptar = new QPushButton(QStringLiteral("ACEPTAR"), this);
    btnAceptar->setObjectName(QStringLiteral("btnAceptar"));
    btnAceptar->setDefault(true);
    layout->addWidget(lblCantidad);
    layout->addWidget(m_edtCantidad);
    layout->addWidget(btnAceptar);
    connect(btnAceptar, &QPushButton::clicked, this, &TDlgModificarCantidad::btnAceptarClick);
    connect(m_edtCantidad, &QLineEdit::textEdited, this, &TDlgModificarCantidad::edtCantidadEdited);
}

void TDlgModificarCantidad::edtCantidadEdited(const QString &texto)
{
    // The decimal key of the numeric keypad types "." whatever the locale.
    const QString decimal = QLocale().decimalPoint();
    if (decimal == QLatin1String(".") || !texto.contains(QLatin1Char('.')))
        return;
    const int cursor = m_edtCantidad->cursorPosition();
    m_edtCantidad->setText(QString(texto).replace(QLatin1String("."), decimal));
    m_edtCantidad->setCursorPosition(cursor);
}

void TDlgModificarCantidad::btnAceptarClick()
{
    const std::optional<double> leida = LeerCantidad(m_edtCantidad->text());
    const QString error = leida
            ? TInventario::ErrorCantidad(*leida)
            : Traducir(QStringLiteral("ERR_DATO_NUMERICO"),
                       QStringLiteral("EL DATO A INTRODUCIR DEBE SER NUMERICO MAYOR QUE CERO"));
    if (!error.isEmpty()) {
        MostrarError(error);
        m_edtCantidad->setFocus();
        m_edtCantidad->selectAll();
        return;
    }
    m_cantidad = *leida;
    accept();
}

bool TDlgModificarCantidad::ModificarCantidad(double &cantidad, QWidget *parent)
{
    TDlgModificarCantidad dialogo(cantidad, parent);
    if (dialogo.exec() != QDialog::Accepted)
        return false;
    cantidad = dialogo.Cantidad();
    return true;
}
