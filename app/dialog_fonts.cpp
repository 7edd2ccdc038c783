#include "dialog_fonts.h"

#include "views/qpainter_surface.h"

#include <QStringList>

namespace shift {

QFont msSansSerif(int pixelHeight, bool bold)
{
    static const QString family = firstInstalledFamily({ QStringLiteral("MS Sans Serif"),
        QStringLiteral("Liberation Sans"),
        QStringLiteral("DejaVu Sans") });
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setBold(bold);
    font.setPixelSize(pixelHeight);
    return font;
}

} // namespace shift
