#include "print_surface.h"

#include "app/window_frame.h"
#include "views/page_geometry.h"
#include "views/qpainter_surface.h"
#include "views/unseen_surface.h"

#include <QPainter>
#include <QPalette>
#include <QScopedValueRollback>

#include <utility>

namespace shift {

TForm3 *Form3 = nullptr;

TForm3::TForm3(Drawing drawing, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_drawing(std::move(drawing))
{
    setWindowTitle(QStringLiteral("Form3"));
    // Should anything ever show it, it still stays off the screen.
    setAttribute(Qt::WA_DontShowOnScreen);
    setAttribute(Qt::WA_QuitOnClose, false);

    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    setPalette(white);
    setAutoFillBackground(true);
    setFont(viewFont(16));

    // The size it is defined with: that of the multi-month view, the view every run starts with.
    setOuterHeight(kPrintSurfaceMultiMonth.height);
    setOuterWidth(kPrintSurfaceMultiMonth.width);

    Form3 = this;
    FormCreate();
}

TForm3::~TForm3()
{
    if (Form3 == this)
        Form3 = nullptr;
}

void TForm3::FormCreate()
{
    using Target = DrawingSurface::Target;
    if (!m_drawing)
        return;
    if (m_canvas == nullptr) {
        UnseenSurface unseen(Target::PrintSurface);
        m_drawing(unseen);
        return;
    }
    QPainterSurface surface(*m_canvas, Target::PrintSurface);
    m_drawing(surface);
}

int TForm3::outerHeight() const
{
    const QMargins frame = effectiveFrame(*this);
    return height() + frame.top() + frame.bottom();
}

int TForm3::outerWidth() const
{
    const QMargins frame = effectiveFrame(*this);
    return width() + frame.left() + frame.right();
}

void TForm3::setOuterHeight(int height)
{
    const QSize client = clientSizeFor(QSize(outerWidth(), height), effectiveFrame(*this));
    resize(width(), client.height());
}

void TForm3::setOuterWidth(int width)
{
    const QSize client = clientSizeFor(QSize(width, outerHeight()), effectiveFrame(*this));
    resize(client.width(), height());
}

void TForm3::paintClientArea(QPainter &painter)
{
    painter.fillRect(rect(), palette().color(backgroundRole()));
    const QScopedValueRollback<QPainter *> canvas(m_canvas, &painter);
    FormCreate();
}

void TForm3::paintEvent(QPaintEvent *event)
{
    (void)event;
    QPainter painter(this);
    const QScopedValueRollback<QPainter *> canvas(m_canvas, &painter);
    FormCreate();
}

} // namespace shift
