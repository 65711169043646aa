#include "ui/shell/ComboCategorias.h"

#include "core/data/uDM.h"
#include "ui/i18n/Componente.h"

#include <QSignalBlocker>

#include <algorithm>

TComboCategorias::TComboCategorias(QWidget *parent, bool conSinCategoria)
    : QComboBox(parent)
    , m_conSinCategoria(conSinCategoria)
{
    TextosDeCodigo(*this); // the pharmacy's categories
}

void TComboCategorias::Llenar()
{
    const QVariant elegida = currentData();
    const QSignalBlocker bloqueo(this);
    clear();
    addItem(QString()); // every category
    for (const TCodigos &categoria :
         m_conSinCategoria ? DM().ListaCategoriasConVacia() : DM().ListaCategorias())
        addItem(categoria.Descripcion, categoria.Codigo);
    // A category deleted meanwhile leaves every category shown.
    setCurrentIndex(elegida.isValid() ? std::max(0, findData(elegida)) : 0);
}
