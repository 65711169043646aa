#include "ui/dispenser/FCambioVersionMaquina.h"

#include "core/i18n/ULenguaje.h"
#include "ui/i18n/Componente.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFormCambioVersionMaquina::TFormCambioVersionMaquina(const QString &texto, std::function<bool()> pasos,
                                                     QWidget *parent)
    : TKelvoDlgForm(parent)
    , m_pasos(std::move(pasos))
{
    setObjectName(QStringLiteral("FormCambioVersionMaquina"));
    setModal(true);
    setWindowTitle(QStringLiteral("CONFIRMACIONES"));
    auto *lblTexto = Componente<QLabel>(this, "lblTexto");
    TextosDeCodigo(*lblTexto);
    lblTexto->setWordWrap(true);
    lblTexto->setText(
            texto + QStringLiteral("\n\n")
            + Traducir(QStringLiteral("CAPTION_ATENCION"), QStringLiteral("ATENCION !!!!!!!!!"))
            + QStringLiteral("\n\n")
            + Traducir(QStringLiteral("MSG_MAQUINA_PREPARADA"),
                       QStringLiteral("ASEGURESE QUE LA MAQUINA ESTA EN POSICION DE ESPERANDO CARGA")));
    auto *btnContinuar = Componente<QPushButton>(this, "btnContinuar", QStringLiteral("CONTINUAR"));
    btnContinuar->setDefault(true);
    connect(btnContinuar, &QPushButton::clicked, this, &TFormCambioVersionMaquina::Continuar);
    auto *btnCancelar = Componente<QPushButton>(this, "btnCancelar", QStringLiteral("CANCELAR"));
    connect(btnCancelar, &QPushButton::clicked, this, &QDialog::reject);
    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(btnContinuar);
    botones->addWidget(btnCancelar);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblTexto);
    layout->addLayout(botones);
}

void TFormCambioVersionMaquina::Continuar()
{
    setEnabled(false);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool completado = m_pasos();
    QGuiApplication::restoreOverrideCursor();
    setEnabled(true);
    if (completado)
        accept();
    else
        reject();
}
