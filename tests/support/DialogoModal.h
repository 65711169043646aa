#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers a modal dialog that the code under test is about to open: as soon as a dialog of type
// T is the active modal widget, `accion` runs on it (typing into it, accepting or rejecting it).
// Queue it before the call that opens the dialog.
template<typename T> void CuandoSeAbra(std::function<void(T &)> accion)
{
    auto *espera = new QTimer;
    espera->setInterval(0);
    QObject::connect(espera, &QTimer::timeout, [espera, accion = std::move(accion)] {
        auto *dialogo = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!dialogo)
            return;
        espera->stop();
        espera->deleteLater();
        accion(*dialogo);
    });
    espera->start();
}
