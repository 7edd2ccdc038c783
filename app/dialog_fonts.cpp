#include "dialog_fonts.h"

#include <QStringList>

namespace shift {

QFont msSansSerif(int pixelHeight, bool bold)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setFamilies({ QStringLiteral("MS Sans Serif"),
        QStringLiteral("Liberation Sans"),
        QStringLiteral("DejaVu Sans") });
    font.setStyleHint(QFont::SansSerif);
    font.setBold(bold);
    font.setPixelSize(pixelHeight);
    return font;
}

} // namespace shift
