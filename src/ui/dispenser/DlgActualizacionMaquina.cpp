#include "ui/dispenser/DlgActualizacionMaquina.h"

#include "ui/i18n/Componente.h"
#include "ui/shell/Mensajes.h"

#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TDlgActualizacionMaquina::TDlgActualizacionMaquina(QWidget *parent)
    : TKelvoDlgForm(parent)
{
    setObjectName(QStringLiteral("DlgActualizacionMaquina"));
    setWindowTitle(QStringLiteral("ACTUALIZACION MAQUINA"));
    setWindowModality(Qt::ApplicationModal);
    m_lblEstado = Componente<QLabel>(this, "lblEstado");
    TextosDeCodigo(*m_lblEstado);
    m_lblEstado->setWordWrap(true);
    m_lblEstado->setMinimumWidth(420);
    m_barProgreso = Componente<QProgressBar>(this, "barProgreso");
    m_barProgreso->setRange(0, 100);
    m_barProgreso->setValue(0);
    auto *btnCancelar = Componente<QPushButton>(this, "btnCancelar", QStringLiteral("CANCELAR"));
    connect(btnCancelar, &QPushButton::clicked, this, &TDlgActualizacionMaquina::reject);
    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(btnCancelar);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lblEstado);
    layout->addWidget(m_barProgreso);
    layout->addLayout(botones);
}

void TDlgActualizacionMaquina::reject()
{
    // The window stays until the update returns: cancelling only stops what is running.
    m_cancelada = true;
    emit cancelar();
}

bool TDlgActualizacionMaquina::Confirmar(const QString &pregunta)
{
    return ::Confirmar(pregunta) == 1;
}

void TDlgActualizacionMaquina::Error(const QString &mensaje)
{
    MostrarError(mensaje);
}

void TDlgActualizacionMaquina::Informar(const QString &texto)
{
    m_lblEstado->setText(texto);
    show();
}

bool TDlgActualizacionMaquina::Progreso(qint64 enviados, qint64 total)
{
    show();
    m_barProgreso->setValue(total > 0 ? static_cast<int>(enviados * 100 / total) : 0);
    return !m_cancelada;
}

bool TDlgActualizacionMaquina::Esperar(int ms)
{
    if (m_cancelada)
        return false;
    QEventLoop espera;
    QTimer::singleShot(ms, &espera, &QEventLoop::quit);
    connect(this, &TDlgActualizacionMaquina::cancelar, &espera, &QEventLoop::quit);
    espera.exec();
    return !m_cancelada;
}
