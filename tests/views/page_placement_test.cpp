#include "views/page_placement.h"

#include "view_fixtures.h"
#include "views/multi_month_view.h"
#include "views/qpainter_surface.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include <gtest/gtest.h>

// Where a view lands on a page: the scaling rule's size, the printable area's corner, nothing
// outside the view's client area; and the same drawing as the screen's at every scale.

namespace shift {
namespace {

using testing::at;
using testing::calendarAt;
using Target = DrawingSurface::Target;

const QColor kPaper(255, 0, 255); // stands for the page around the view

void drawPrintedView(QPainter &painter)
{
    ShiftCalendar calendar = calendarAt(at(2016, 10, 1, 20), 0);
    QPainterSurface surface(painter, Target::PrintSurface);
    drawMultiMonth(calendar, 2016, 9, 0, 4, surface);
}

TEST(PagePlacement, ScalesByTheRuleFromTheCorner)
{
    QImage page(100, 100, QImage::Format_RGB32);
    QPainter painter(&page);
    const PrintSize printed = placeViewOnPage(painter, QSize(678, 555), QSize(9583, 13699));
    EXPECT_EQ(printed.width, 9583);
    EXPECT_EQ(printed.height, 7844);
    EXPECT_DOUBLE_EQ(painter.worldTransform().m11(), 9583.0 / 678.0);
    EXPECT_DOUBLE_EQ(painter.worldTransform().m22(), 7844.0 / 555.0);
    EXPECT_EQ(painter.worldTransform().dx(), 0.0);
    EXPECT_EQ(painter.worldTransform().dy(), 0.0);
    // Higher than wide on a landscape page: the height decides.
    QPainter other(&page);
    EXPECT_EQ(placeViewOnPage(other, QSize(300, 600), QSize(6600, 4800)).width, 2400);
}

// At a scale of 1 the page carries exactly the image the view makes on its own (on the white of
// its client area), and the view's clearing, which reaches past that area, stays inside it.
TEST(PagePlacement, AtOneToOneThePageIsTheViewsImageAndNothingMore)
{
    const QSize client(678, 555);
    QImage alone(client, QImage::Format_RGB32);
    alone.fill(Qt::white);
    {
        QPainter painter(&alone);
        drawPrintedView(painter);
    }
    QImage page(900, 700, QImage::Format_RGB32);
    page.fill(kPaper);
    {
        QPainter painter(&page);
        EXPECT_EQ(placeViewOnPage(painter, client, client).width, 678);
        painter.fillRect(QRect(QPoint(0, 0), client), Qt::white);
        drawPrintedView(painter);
    }
    EXPECT_EQ(page.copy(QRect(QPoint(0, 0), client)), alone);
    for (const QPoint outside :
        { QPoint(678, 0), QPoint(700, 300), QPoint(0, 555), QPoint(899, 699) })
        EXPECT_EQ(page.pixelColor(outside), kPaper) << outside.x() << "," << outside.y();
}

// Twice as large, the page holds the same picture: each pixel of the view's own image matches
// the 2 x 2 block it became, wherever the block is of one colour (inside figures and fills;
// text edges are drawn afresh at the larger size and may differ).
TEST(PagePlacement, TwiceAsLargeIsTheSamePicture)
{
    const QSize client(678, 555);
    QImage alone(client, QImage::Format_RGB32);
    alone.fill(Qt::white);
    {
        QPainter painter(&alone);
        drawPrintedView(painter);
    }
    QImage page(client * 2, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        placeViewOnPage(painter, client, client * 2);
        drawPrintedView(painter);
    }
    int compared = 0;
    int differing = 0;
    for (int y = 1; y < client.height() - 1; ++y) {
        for (int x = 1; x < client.width() - 1; ++x) {
            const QRgb c = alone.pixel(x, y);
            const bool flat = alone.pixel(x - 1, y) == c && alone.pixel(x + 1, y) == c
                && alone.pixel(x, y - 1) == c && alone.pixel(x, y + 1) == c;
            if (!flat)
                continue;
            ++compared;
            differing
                += page.pixel(2 * x, 2 * y) == c && page.pixel(2 * x + 1, 2 * y + 1) == c ? 0 : 1;
        }
    }
    EXPECT_GT(compared, 200000);
    // Beside text, a flat pixel of the small image may be touched by the larger glyphs.
    EXPECT_LT(differing, compared / 100) << differing << " of " << compared;
}

// On a PDF page the view is vectors: the file holds no image, however large the view is drawn.
TEST(PagePlacement, APdfPageHoldsNoImage)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(1200);
        QPainter painter(&pdf);
        placeViewOnPage(painter, QSize(678, 555), QSize(9000, 12000));
        drawPrintedView(painter);
    }
    ASSERT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_FALSE(bytes.contains("/Subtype /Image"));
    EXPECT_TRUE(bytes.contains("/FontFile2")); // an embedded TrueType font
    // Far smaller than the 678 x 555 bitmap that stood on the page before.
    EXPECT_LT(bytes.size(), 200000);
}

} // namespace
} // namespace shift
