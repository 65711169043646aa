#include "ui/stock/FDlgModificarCantidad.h"

#include "core/i18n/ULenguaje.h"
#include "core/stock/uInventario.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

TDlgModificarCantidad::TDlgModificarCantidad(double cantidad, QWidget *parent)
    : TKelvoDlgForm(parent)
    , m_edtCantidad(new QLineEdit(this))
    , m_lblError(new QLabel(this))
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
    m_lblError->setObjectName(QStringLiteral("lblError"));
    m_lblError->setStyleSheet(QStringLiteral("color: red"));
    auto *btnAceptar = new QPushButton(QStringLiteral("ACEPTAR"), this);
    btnAceptar->setObjectName(QStringLiteral("btnAceptar"));
    btnAceptar->setDefault(true);
    layout->addWidget(lblCantidad);
    layout->addWidget(m_edtCantidad);
    layout->addWidget(m_lblError);
    layout->addWidget(btnAceptar);
    connect(btnAceptar, &QPushButton::clicked, this, &TDlgModificarCantidad::btnAceptarClick);
}

void TDlgModificarCantidad::btnAceptarClick()
{
    const std::optional<double> leida = LeerCantidad(m_edtCantidad->text());
    const QString error = leida
            ? TInventario::ErrorCantidad(*leida)
            : Traducir(QStringLiteral("ERR_DATO_NUMERICO"),
                       QStringLiteral("EL DATO A INTRODUCIR DEBE SER NUMERICO MAYOR QUE CERO"));
    m_lblError->setText(error);
    if (!error.isEmpty()) {
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
