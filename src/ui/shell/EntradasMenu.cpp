#include "ui/shell/EntradasMenu.h"

#include <QBoxLayout>
#include <QPushButton>

QList<QPushButton *> CrearEntradas(QWidget *padre, QBoxLayout *disposicion,
                                   const QList<TEntradaMenu> &entradas)
{
    QList<QPushButton *> botones;
    for (const TEntradaMenu &entrada : entradas) {
        auto *boton = new QPushButton(entrada.texto, padre);
        boton->setObjectName(entrada.nombre);
        boton->setMinimumHeight(48);
        QObject::connect(boton, &QPushButton::clicked, boton, entrada.accion);
        disposicion->addWidget(boton);
        botones.append(boton);
    }
    return botones;
}
