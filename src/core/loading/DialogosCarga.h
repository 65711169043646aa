#pragma once

#include <QString>
#include <QtGlobal>

// What the manual blister dialog shows for one portion: the user places the cells by hand.
struct TBlisterManual
{
    QString paciente; // the patient's name
    QString medicamento; // the portion's name
    QString aspecto;
    double porcion = 1.0;
    QString celdas; // the 28 counts to place, joined with ";", Monday breakfast first
    QString idMedicamento;
    int tipoBlister = 1; // preference TipoBlister: 1 square cells, otherwise round
};

// The dialogs and the printing a load needs from the screen that runs it. The loading logic
// lives in the core and talks to the user only through this interface.
class TDialogosCarga
{
public:
    virtual ~TDialogosCarga() = default;

    // The error dialog.
    virtual void Error(const QString &texto) = 0;
    // The information dialog.
    virtual void Informar(const QString &texto) = 0;
    // The information dialog with an accept and a cancel answer: true when accepted.
    virtual bool Aceptar(const QString &texto) = 0;
    // The confirmation dialog: true for yes.
    virtual bool Confirmar(const QString &pregunta) = 0;
    // The manual blister dialog for one portion: true when the user placed it.
    virtual bool BlisterManual(const TBlisterManual &blister) = 0;
    // Prints the labels of a stored load (and writes its audit row).
    virtual void ImprimirEtiquetas(qint64 idRecarga) = 0;
};
