#include "gui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace zelko6 {

static constexpr double kTwipsPerInch = 1440.0;

double logicalDpi()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

int twipsToPixels(double twips, double dpi)
{
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}
double pixelsToTwips(int pixels, double dpi)
{
    return pixels * kTwipsPerInch / dpi;
}

namespace {

// A strip along the top of the window must be reachable, or the user cannot drag it back.
QRect grip(const QRect &frame)
{
    return QRect(frame.topLeft(), QSize(std::max(frame.width(), 1), 24));
}

// The screen that shows the window's grip; none when it is off every screen.
QScreen *screenShowing(const QRect &frame)
{
    for (QScreen *screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(grip(frame)))
            return screen;
    return nullptr;
}

// What the window manager adds around the window. Known once the window has been framed; before
// its first showing, a title bar and a thin border are assumed.
QMargins decorationOf(const QWidget &window)
{
    const QRect inner = window.geometry();
    const QRect outer = window.frameGeometry();
    const QMargins known(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    if (!known.isNull())
        return known;
    const int border = window.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &window);
    return {border, window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window) + border, border,
            border};
}

} // namespace

QRect fitIntoArea(const QRect &frame, const QRect &area)
{
    const QSize size = frame.size().boundedTo(area.size());
    const QPoint place(std::clamp(frame.x(), area.left(), area.left() + area.width() - size.width()),
                       std::clamp(frame.y(), area.top(), area.top() + area.height() - size.height()));
    return QRect(place, size);
}

void WindowPlacement::restore(QWidget &window, std::optional<float> leftTwips, std::optional<float> topTwips,
                              QPointF designedTwips)
{
    const double dpi = logicalDpi();
    const QPointF twips(leftTwips ? *leftTwips : designedTwips.x(), topTwips ? *topTwips : designedTwips.y());
    place(window, QPoint(twipsToPixels(twips.x(), dpi), twipsToPixels(twips.y(), dpi)));
    restoredPixels_ = window.pos();
    // Where the window landed on its stored place, the stored twips stand; a rescued
    // coordinate is saved as where it really is.
    const auto keep = [dpi](double stored, int landed) {
        return twipsToPixels(stored, dpi) == landed ? stored : pixelsToTwips(landed, dpi);
    };
    restoredTwips_ = QPointF(keep(twips.x(), restoredPixels_.x()), keep(twips.y(), restoredPixels_.y()));
    restored_ = true;
}

void WindowPlacement::keepOnScreen(QWidget &window)
{
    place(window, window.pos());
}

void WindowPlacement::place(QWidget &window, QPoint framePosition)
{
    const QMargins decoration = decorationOf(window);
    const QRect frame(framePosition, window.size().grownBy(decoration));
    QScreen *screen = screenShowing(frame);
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
        if (!screen) {
            window.move(framePosition);
            return;
        }
        framePosition = screen->availableGeometry().topLeft();
    }
    const QRect fitted = fitIntoArea(QRect(framePosition, frame.size()), screen->availableGeometry());
    if (fitted.size() != frame.size())
        window.resize(fitted.size().shrunkBy(decoration));
    if (fitted.topLeft() != window.pos())
        window.move(fitted.topLeft());
}

QPointF WindowPlacement::twips(const QWidget &window) const
{
    const QPoint pixels = window.pos();
    if (restored_ && pixels == restoredPixels_)
        return restoredTwips_;
    const double dpi = logicalDpi();
    return QPointF(pixelsToTwips(pixels.x(), dpi), pixelsToTwips(pixels.y(), dpi));
}

} // namespace zelko6
