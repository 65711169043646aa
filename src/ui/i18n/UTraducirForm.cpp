#include "ui/i18n/UTraducirForm.h"

#include "core/i18n/ULenguaje.h"
#include "ui/i18n/TextosVentana.h"

#include <QHash>
#include <QWidget>

namespace {

// Objects the toolkit creates inside widgets carry these prefixes; they are not the window's.
// A name with a dot cannot be told apart from the parts of a key.
bool EsComponente(const QObject &objeto)
{
    const QString nombre = objeto.objectName();
    return !nombre.isEmpty() && !nombre.startsWith(QLatin1String("qt_"))
            && !nombre.startsWith(QLatin1String("_q_")) && !nombre.contains(QLatin1Char('.'));
}

QHash<QString, QObject *> ComponentesPorNombre(QWidget &ventana)
{
    QHash<QString, QObject *> componentes;
    const QList<QObject *> hijos = ventana.findChildren<QObject *>();
    for (QObject *hijo : hijos) {
        const QString clave = hijo->objectName().toCaseFolded();
        if (EsComponente(*hijo) && !componentes.contains(clave))
            componentes.insert(clave, hijo);
    }
    return componentes;
}

void Capturar(TLenguaje &lenguaje, const QObject &objeto, const QString &prefijo, bool esVentana)
{
    for (const TextosVentana::TPropiedad &propiedad : TextosVentana::Propiedades(objeto, esVentana)) {
        const QString texto = TextosVentana::Leer(objeto, propiedad.Nombre);
        if (texto.isEmpty())
            continue;
        const QString clave = prefijo + propiedad.Nombre;
        if (propiedad.Lista) {
            if (!lenguaje.ExisteClave(clave))
                lenguaje.AgregarCaptura(clave, texto);
            continue;
        }
        if (lenguaje.ExisteClave(clave) || texto.startsWith(QLatin1Char('-'))
            || texto.startsWith(QLatin1String("   ")))
            return;
        lenguaje.AgregarCaptura(clave, texto);
    }
}

} // namespace

void TraducirForm(QWidget &ventana)
{
    const QString nombre = ventana.objectName();
    if (!ExisteLenguaje() || nombre.isEmpty())
        return;
    const auto textos = Lenguaje().TextosDeVentana(nombre);
    if (textos.isEmpty())
        return;
    const QHash<QString, QObject *> componentes = ComponentesPorNombre(ventana);
    for (const TLenguaje::TTextoVentana &texto : textos) {
        QObject *destino
                = texto.Componente == nombre ? &ventana : componentes.value(texto.Componente.toCaseFolded());
        if (destino)
            TextosVentana::Escribir(*destino, texto.Propiedad, texto.Texto);
    }
}

void CapturarForm(QWidget &ventana)
{
    const QString nombre = ventana.objectName();
    if (!ExisteLenguaje() || nombre.isEmpty())
        return;
    TLenguaje &lenguaje = Lenguaje();
    const QString prefijo = nombre + QLatin1Char('.');
    Capturar(lenguaje, ventana, prefijo, true);
    const QList<QObject *> hijos = ventana.findChildren<QObject *>();
    for (const QObject *hijo : hijos) {
        if (EsComponente(*hijo))
            Capturar(lenguaje, *hijo, prefijo + hijo->objectName() + QLatin1Char('.'), false);
    }
    lenguaje.Guardar();
}
