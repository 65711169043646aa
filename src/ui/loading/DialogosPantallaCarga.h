#pragma once

#include "core/loading/DialogosCarga.h"

class QWidget;

// The loading screens' dialogs: the application's standard message dialogs, the manual blister
// dialog and the label printer.
class TDialogosPantallaCarga : public TDialogosCarga
{
public:
    explicit TDialogosPantallaCarga(QWidget *ventana = nullptr)
        : m_ventana(ventana)
    { }

    void Error(const QString &texto) override;
    void Informar(const QString &texto) override;
    bool Aceptar(const QString &texto) override;
    bool Confirmar(const QString &pregunta) override;
    bool BlisterManual(const TBlisterManual &blister) override;
    void ImprimirEtiquetas(qint64 idRecarga) override;

private:
    QWidget *m_ventana;
};
