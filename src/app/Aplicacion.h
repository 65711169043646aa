#pragma once

#include <QApplication>

// The application object: an error that escapes an event handler reaches the application-wide
// handler (logged as ": ERROR:" and shown) and the application keeps running.
class Aplicacion : public QApplication
{
    Q_OBJECT

public:
    Aplicacion(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};
