#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// One entry of a pick list kept beside a drop-down list: item i of the list has the code of
// entry i.
struct TCodigos
{
    int Codigo = 0;
    QString Descripcion;
};

// The position (from 0) of the first entry with the code; none when there is no such entry.
std::optional<int> IndiceDeCodigo(const QList<TCodigos> &codigos, int codigo);

// The value of the first "key=value" line whose key equals `clave` without regard to case; the
// value is everything after the first "="; empty when no line has the key.
QString ValorDe(const QStringList &lineas, const QString &clave);
