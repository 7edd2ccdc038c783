#include "print_surface.h"

#include "app/main_window.h"
#include "app/window_frame.h"
#include "views/qpainter_surface.h"
#include "views/unseen_surface.h"

#include <QPainter>
#include <QPalette>
#include <QScopedValueRollback>

namespace shift {

TForm3 *Form3 = nullptr;

namespace {

// The window's size as it is defined, before the first print sizes it: that of the
// multi-month view, the view every run starts with.
constexpr QSize kDefinedOuterSize { 684, 580 };

} // namespace

TForm3::TForm3(QWidget *parent)
    : QWidget(parent, Qt::Window)
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

    setOuterHeight(kDefinedOuterSize.height());
    setOuterWidth(kDefinedOuterSize.width());

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
    if (Form1 != nullptr)
        Form1->Panel2Click();
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

void TForm3::paintOnCanvas(const std::function<void(DrawingSurface &)> &draw)
{
    using Target = DrawingSurface::Target;
    if (m_canvas == nullptr) {
        UnseenSurface unseen(Target::PrintSurface);
        draw(unseen);
        return;
    }
    QPainterSurface surface(*m_canvas, Target::PrintSurface);
    draw(surface);
}

void TForm3::paintEvent(QPaintEvent *event)
{
    (void)event;
    QPainter painter(this);
    const QScopedValueRollback<QPainter *> canvas(m_canvas, &painter);
    FormCreate();
}

} // namespace shift
