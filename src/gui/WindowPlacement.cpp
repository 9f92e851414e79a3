#include "gui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
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

static bool onSomeScreen(const QRect &frame)
{
    // A strip along the top of the window must be reachable, or the user cannot drag it back.
    const QRect grip(frame.topLeft(), QSize(std::max(frame.width(), 1), 24));
    for (const QScreen *screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(grip))
            return true;
    return false;
}

void WindowPlacement::restore(QWidget &window, std::optional<float> leftTwips, std::optional<float> topTwips,
                              QPointF designedTwips)
{
    const double dpi = logicalDpi();
    const QPointF twips(leftTwips ? *leftTwips : designedTwips.x(), topTwips ? *topTwips : designedTwips.y());
    QPoint pixels(twipsToPixels(twips.x(), dpi), twipsToPixels(twips.y(), dpi));
    if (!onSomeScreen(QRect(pixels, window.frameGeometry().size())) && QGuiApplication::primaryScreen())
        pixels = QGuiApplication::primaryScreen()->availableGeometry().topLeft();
    window.move(pixels);
    restoredPixels_ = window.pos();
    // Where the window landed on its stored place, the stored twips stand; a rescued
    // coordinate is saved as where it really is.
    const auto keep = [dpi](double stored, int landed) {
        return twipsToPixels(stored, dpi) == landed ? stored : pixelsToTwips(landed, dpi);
    };
    restoredTwips_ = QPointF(keep(twips.x(), restoredPixels_.x()), keep(twips.y(), restoredPixels_.y()));
    restored_ = true;
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
