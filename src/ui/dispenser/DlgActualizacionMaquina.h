#pragma once

#include "core/dispenser/ActualizacionMaquina.h"
#include "ui/i18n/TKelvoDlgForm.h"

class QLabel;
class QProgressBar;
class QPushButton;

// Shows a machine software update as it runs: what it is doing, the copy's progress and
// "CANCELAR", which ends the current wait or copy. Questions and errors use the application's
// message dialogs. The window stays responsive throughout: every wait runs the event loop.
class TDlgActualizacionMaquina : public TKelvoDlgForm, public TAvisosActualizacion
{
    Q_OBJECT

public:
    explicit TDlgActualizacionMaquina(QWidget *parent = nullptr);

    bool Cancelada() const { return m_cancelada; }

    bool Confirmar(const QString &pregunta) override;
    void Error(const QString &mensaje) override;
    void Informar(const QString &texto) override;
    bool Progreso(qint64 enviados, qint64 total) override;
    bool Esperar(int ms) override;

signals:
    void cancelar();

protected:
    void reject() override;

private:
    QLabel *m_lblEstado;
    QProgressBar *m_barProgreso;
    bool m_cancelada = false;
};
