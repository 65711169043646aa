#pragma once

#include <QAbstractButton>
#include <QString>
#include <QWidget>

#include <type_traits>

// Creates a child component with the object name by which the catalogue translates it and the
// tests find it; buttons also get their text.
template<typename T> T *Componente(QWidget *padre, const char *nombre, const QString &texto = {})
{
    auto *componente = new T(padre);
    componente->setObjectName(QString::fromLatin1(nombre));
    if constexpr (std::is_base_of_v<QAbstractButton, T>)
        componente->setText(texto);
    return componente;
}
