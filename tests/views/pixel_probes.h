#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

// Probing rendered pixels. Text is antialiased, so a text's colour is recognised by the fully
// covered pixels inside its cell rather than by any one position.
namespace shift::testing {

inline bool isRed(QColor c)
{
    return c.red() > 180 && c.green() < 90 && c.blue() < 90;
}
inline bool isBlue(QColor c)
{
    return c.blue() > 180 && c.red() < 90 && c.green() < 90;
}
inline bool isGreen(QColor c)
{
    return c.green() > 90 && c.red() < 60 && c.blue() < 60;
}
inline bool isInk(QColor c)
{
    return c.lightness() < 100;
}

template <typename Predicate>
int countPixels(const QImage &image, QRect area, Predicate predicate)
{
    int count = 0;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            count += predicate(image.pixelColor(x, y)) ? 1 : 0;
    }
    return count;
}

inline QColor pixel(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y);
}

} // namespace shift::testing
