#pragma once

#include <QPoint>
#include <QProcess>
#include <QStringList>
#include <QXmlStreamReader>

// Reads back what a spreadsheet export wrote: the cells of the workbook's first worksheet as
// texts, row by row from A1, every row as long as the widest one (cells never written are
// empty). Texts are looked up in the workbook's shared strings, numbers are given as written.
namespace LibroXlsx {

inline QByteArray Parte(const QString &ruta, const QString &parte)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), ruta, parte});
    unzip.waitForFinished(-1);
    return unzip.readAllStandardOutput();
}

inline QStringList TextosCompartidos(const QString &ruta)
{
    QStringList textos;
    QXmlStreamReader xml(Parte(ruta, QStringLiteral("xl/sharedStrings.xml")));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("si"))
            textos << QString();
        else if (xml.name() == QLatin1String("t") && !textos.isEmpty())
            textos.last() += xml.readElementText();
    }
    return textos;
}

// "C12" → column 2 (from 0) and row 11 (from 0).
inline QPoint Posicion(const QString &referencia)
{
    int columna = 0;
    qsizetype i = 0;
    for (; i < referencia.size() && referencia.at(i).isLetter(); ++i)
        columna = columna * 26 + (referencia.at(i).unicode() - 'A' + 1);
    return QPoint(columna - 1, referencia.mid(i).toInt() - 1);
}

// The name of the workbook's first worksheet.
inline QString Hoja(const QString &ruta)
{
    QXmlStreamReader xml(Parte(ruta, QStringLiteral("xl/workbook.xml")));
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("sheet"))
            return xml.attributes().value(QLatin1String("name")).toString();
    }
    return {};
}

inline QList<QStringList> Celdas(const QString &ruta)
{
    const QStringList compartidos = TextosCompartidos(ruta);
    QList<QStringList> filas;
    qsizetype ancho = 0;
    QXmlStreamReader xml(Parte(ruta, QStringLiteral("xl/worksheets/sheet1.xml")));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("c"))
            continue;
        const QPoint celda = Posicion(xml.attributes().value(QLatin1String("r")).toString());
        const bool compartido = xml.attributes().value(QLatin1String("t")) == QLatin1String("s");
        QString texto;
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("v"))
                texto = xml.readElementText();
            else
                xml.skipCurrentElement();
        }
        if (compartido)
            texto = compartidos.value(texto.toInt());
        while (filas.size() <= celda.y())
            filas << QStringList();
        QStringList &fila = filas[celda.y()];
        while (fila.size() <= celda.x())
            fila << QString();
        fila[celda.x()] = texto;
        ancho = qMax(ancho, fila.size());
    }
    for (QStringList &fila : filas) {
        while (fila.size() < ancho)
            fila << QString();
    }
    return filas;
}

} // namespace LibroXlsx
