#pragma once

#include "core/reports/ReportDocument.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// One block of the printed card: a heading and its lines of label and value.
struct TSeccionFicha
{
    QString titulo;
    QList<QPair<QString, QString>> filas;
};

// The printed patient card: the title and the photo (when there is one) on every page, then each
// block with its lines; long values wrap. The card passes its own labels, as the user sees them.
TReportDocument InformeFichaPaciente(const QString &titulo, const QByteArray &foto,
                                     const QList<TSeccionFicha> &secciones);
