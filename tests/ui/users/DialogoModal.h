#pragma once

#include "support/TestDatabase.h"

#include <QApplication>
#include <QTimer>

#include <functional>

// Acts on the next modal dialog of type T once it runs its own event loop: a modal dialog
// blocks the test until something inside that loop answers it.
template<typename T> void AlAbrir(std::function<void(T &)> accion)
{
    auto *espera = new QTimer;
    QObject::connect(espera, &QTimer::timeout, espera, [espera, accion] {
        auto *dialogo = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!dialogo || !dialogo->isVisible())
            return;
        espera->stop();
        espera->deleteLater();
        accion(*dialogo);
    });
    espera->start(0);
}

// The test's main for screens: a widget application, each test run once per database engine.
#define PASTILLERO_UI_DATA_TEST_MAIN(TestClass) \
    int main(int argc, char **argv) \
    { \
        QApplication app(argc, argv); \
        QApplication::setStyle(QStringLiteral("Fusion")); \
        TestClass test; \
        return runOnEveryEngine(test, argc, argv); \
    }
