#pragma once

#include "render/LaidOutReport.h"

// Lays a report's bands out on pages. First pass: each band goes below the previous one,
// growing with its wrapped text (a text fitted to its box is set smaller instead); a band that does not fit
// (with the bands it keeps with) starts a new page, which repeats the page header, column headers and page
// footer. Second pass: with the number of pages known, every page-number pattern is written in.
class ReportLayout
{
public:
    static TLaidOutReport layOut(const TReportDocument &document);

private:
    // Height in millimetres that the text needs when wrapped inside `width` millimetres.
    static double wrappedTextHeight(const ReportElement &element, double width);
    // A wrapped text that takes the height it needs, growing its band.
    static bool grows(const ReportElement &element);
    // The font of a text fitted to its box: its own, or the largest smaller size at which the
    // text fits (reported when it does not fit even at the smallest size).
    ReportFont fittedFont(const ReportElement &element);

    explicit ReportLayout(const TReportDocument &document);

    void run();
    void startPage();
    void finishPage();
    void placeBodyBand(qsizetype index);
    // Puts the band's elements on the current page at `top`; returns the height it takes.
    double place(const ReportBand &band, double top);
    double bandHeight(const ReportBand &band) const;
    double heightKeptTogether(qsizetype index) const;
    bool isBody(const ReportBand &band) const;
    void checkDrawable(const ReportElement &element);
    void writePageNumbers();

    TLaidOutReport m_result;
    QRectF m_content;
    double m_footerHeight = 0.0;
    double m_y = 0.0;
    double m_bodyTop = 0.0;
};
