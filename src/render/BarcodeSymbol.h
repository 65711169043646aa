#pragma once

#include "core/reports/ReportDocument.h"

#include <QList>
#include <QRectF>

// A bar code encoded by libzint: its bars in module units and its human-readable text.
// Encoding refuses data the symbology cannot carry (letters in an EAN, a wrong check digit,
// a wrong length) and says why, so the caller can log it and print the data as text instead.
class BarcodeSymbol
{
public:
    static BarcodeSymbol encode(BarcodeType type, const QString &data);

    bool isValid() const { return m_error.isEmpty(); }
    const QString &error() const { return m_error; }
    const QList<QRectF> &bars() const { return m_bars; }
    // The whole symbol, quiet zones included, from (0, 0); the bars lie inside it.
    const QRectF &extent() const { return m_extent; }
    // The text printed under the bars (for an EAN, the digits with the check digit).
    const QString &text() const { return m_text; }

private:
    QList<QRectF> m_bars;
    QRectF m_extent;
    QString m_text;
    QString m_error;
};
