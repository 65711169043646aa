#include "ui/i18n/UTraducirForm.h"

#include "core/i18n/ULenguaje.h"
#include "ui/i18n/Componente.h"
#include "ui/i18n/TKelvoVentana.h"
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

bool EsVentana(const QObject &objeto)
{
    return objeto.findChild<TKelvoVentana *>(QString(), Qt::FindDirectChildrenOnly) != nullptr;
}

bool ConTextosDeCodigo(const QObject &objeto)
{
    return objeto.property(kPropiedadTextosDeCodigo).toBool();
}

// The window's components in the order it owns them, each before the components inside it.
void AgregarComponentes(const QObject &padre, QList<QObject *> &componentes)
{
    for (QObject *hijo : padre.children()) {
        if (EsVentana(*hijo))
            continue;
        if (EsComponente(*hijo))
            componentes.append(hijo);
        AgregarComponentes(*hijo, componentes);
    }
}

QList<QObject *> Componentes(const QWidget &ventana)
{
    QList<QObject *> componentes;
    AgregarComponentes(ventana, componentes);
    return componentes;
}

// A panel shown in several places of one window (the stock panel beside a screen's own buttons)
// can bring a name twice; a line then reaches every component of that name.
QMultiHash<QString, QObject *> ComponentesPorNombre(const QWidget &ventana)
{
    QMultiHash<QString, QObject *> componentes;
    for (QObject *componente : Componentes(ventana))
        componentes.insert(componente->objectName().toCaseFolded(), componente);
    return componentes;
}

void Capturar(TLenguaje &lenguaje, const QObject &objeto, const QString &prefijo, bool esVentana)
{
    if (ConTextosDeCodigo(objeto))
        return;
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
    const QMultiHash<QString, QObject *> componentes = ComponentesPorNombre(ventana);
    for (const TLenguaje::TTextoVentana &texto : textos) {
        const QList<QObject *> destinos = texto.Componente == nombre
                ? QList<QObject *> {&ventana}
                : componentes.values(texto.Componente.toCaseFolded());
        for (QObject *destino : destinos) {
            if (!ConTextosDeCodigo(*destino))
                TextosVentana::Escribir(*destino, texto.Propiedad, texto.Texto);
        }
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
    for (const QObject *componente : Componentes(ventana))
        Capturar(lenguaje, *componente, prefijo + componente->objectName() + QLatin1Char('.'), false);
    lenguaje.Guardar();
}
