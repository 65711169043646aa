#include "ui/shell/TDlgMensaje.h"

#include "core/i18n/ULenguaje.h"
#include "ui/i18n/Componente.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

using TTipo = PresentadorMensajes::TTipo;

QString Titulo(TTipo tipo)
{
    switch (tipo) {
    case TTipo::Error:
        return Traducir(QStringLiteral("CAPTION_ERROR"), QStringLiteral("ERROR"));
    case TTipo::Aviso:
        return Traducir(QStringLiteral("CAPTION_AVISO"), QStringLiteral("AVISO"));
    case TTipo::Confirmar:
    case TTipo::ConfirmarContinuar:
        break;
    }
    return Traducir(QStringLiteral("CAPTION_CONFIRMACIONES"), QStringLiteral("CONFIRMACIONES"));
}

QStyle::StandardPixmap Simbolo(TTipo tipo)
{
    switch (tipo) {
    case TTipo::Error:
        return QStyle::SP_MessageBoxCritical;
    case TTipo::Aviso:
        return QStyle::SP_MessageBoxWarning;
    case TTipo::Confirmar:
    case TTipo::ConfirmarContinuar:
        break;
    }
    return QStyle::SP_MessageBoxQuestion;
}

QString ColorTexto(TTipo tipo)
{
    switch (tipo) {
    case TTipo::Error:
        return QStringLiteral("#c00000");
    case TTipo::Aviso:
        return QStringLiteral("#404040");
    case TTipo::Confirmar:
    case TTipo::ConfirmarContinuar:
        break;
    }
    return QStringLiteral("#000000");
}

bool EsConfirmacion(TTipo tipo)
{
    return tipo == TTipo::Confirmar || tipo == TTipo::ConfirmarContinuar;
}

} // namespace

TDlgMensaje::TDlgMensaje(TTipo tipo, const QString &texto, int tamanoLetra, QWidget *parent)
    : TKelvoDlgForm(parent)
    , m_aceptar(new QPushButton(this))
{
    setObjectName(QStringLiteral("DlgMensaje"));
    // The title, the text and the continue button are the message's own; the catalogue
    // translates only the dialog's fixed buttons, "ACEPTAR" and "CANCELAR".
    TextosDeCodigo(*this);
    setWindowTitle(Titulo(tipo));
    setModal(true);

    auto *simbolo = new QLabel(this);
    const int lado = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    simbolo->setPixmap(style()->standardIcon(Simbolo(tipo), nullptr, this).pixmap(lado, lado));
    simbolo->setAlignment(Qt::AlignTop);

    auto *mensaje = new QLabel(texto, this);
    mensaje->setObjectName(QStringLiteral("lblMensaje"));
    TextosDeCodigo(*mensaje);
    mensaje->setWordWrap(true);
    mensaje->setTextInteractionFlags(Qt::TextSelectableByMouse);
    mensaje->setAlignment(tamanoLetra > 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    QString estilo = QStringLiteral("color: %1;").arg(ColorTexto(tipo));
    if (tamanoLetra > 0)
        estilo += QStringLiteral(" font-size: %1pt;").arg(tamanoLetra);
    mensaje->setStyleSheet(estilo);
    mensaje->setMinimumWidth(360);

    m_aceptar->setObjectName(QStringLiteral("btnAceptar"));
    if (tipo == TTipo::ConfirmarContinuar) {
        m_aceptar->setText(Traducir(QStringLiteral("CAPTION_CONTINUAR"), QStringLiteral("CONTINUAR")));
        TextosDeCodigo(*m_aceptar);
    } else {
        m_aceptar->setText(QStringLiteral("ACEPTAR"));
    }
    m_aceptar->setDefault(true);
    connect(m_aceptar, &QPushButton::clicked, this, &QDialog::accept);

    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(m_aceptar);
    if (EsConfirmacion(tipo)) {
        auto *cancelar = new QPushButton(QStringLiteral("CANCELAR"), this);
        cancelar->setObjectName(QStringLiteral("btnCancelar"));
        connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
        botones->addWidget(cancelar);
    }

    auto *cuerpo = new QHBoxLayout;
    cuerpo->addWidget(simbolo);
    cuerpo->addWidget(mensaje, 1);
    auto *disposicion = new QVBoxLayout(this);
    disposicion->addLayout(cuerpo);
    disposicion->addLayout(botones);
}
