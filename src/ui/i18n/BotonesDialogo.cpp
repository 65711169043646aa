#include "ui/i18n/BotonesDialogo.h"

#include "ui/i18n/Componente.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

QHBoxLayout *BotonesAceptarCancelar(QDialog *dialogo, std::function<void()> aceptar)
{
    auto *btnAceptar = Componente<QPushButton>(dialogo, "btnAceptar", QStringLiteral("ACEPTAR"));
    btnAceptar->setDefault(true);
    auto *btnCancelar = Componente<QPushButton>(dialogo, "btnCancelar", QStringLiteral("CANCELAR"));
    btnCancelar->setAutoDefault(false);
    QObject::connect(btnAceptar, &QPushButton::clicked, dialogo, std::move(aceptar));
    QObject::connect(btnCancelar, &QPushButton::clicked, dialogo, &QDialog::reject);
    auto *botones = new QHBoxLayout;
    botones->addWidget(btnAceptar);
    botones->addWidget(btnCancelar);
    return botones;
}
