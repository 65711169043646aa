#include "render/ReportFonts.h"

QFont toQFont(const ReportFont &font)
{
    QFont result(font.family);
    result.setPointSizeF(font.pointSize);
    result.setBold(font.bold);
    result.setItalic(font.italic);
    result.setHintingPreference(QFont::PreferNoHinting);
    result.setStyleStrategy(QFont::PreferOutline);
    return result;
}
