#pragma once

#include <QObject>
#include <QString>
#include <QWidget>

// Marks a component (or the window itself) whose texts the window sets while it works: data,
// or a text it looks up with Traducir because it changes with the window's state. Capture
// leaves its texts out and no form line overwrites them.
inline constexpr char kPropiedadTextosDeCodigo[] = "kelvoTextosDeCodigo";
inline void TextosDeCodigo(QObject &componente)
{
    componente.setProperty(kPropiedadTextosDeCodigo, true);
}

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
