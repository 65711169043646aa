#pragma once

#include <QString>
#include <QWidget>

// Creates a child component with the object name by which the catalogue translates it and the
// tests find it; components that show a text (labels, buttons) also get their text.
template<typename T> T *Componente(QWidget *padre, const char *nombre, const QString &texto = {})
{
    auto *componente = new T(padre);
    componente->setObjectName(QString::fromLatin1(nombre));
    if constexpr (requires { componente->setText(texto); }) {
        if (!texto.isEmpty())
            componente->setText(texto);
    }
    return componente;
}
