#pragma once
// Window positions are kept in twips (1440 per inch) and shown in pixels of the screen's
// logical resolution.

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <optional>

class QWidget;

namespace zelko6 {

double logicalDpi();
int twipsToPixels(double twips, double dpi);
double pixelsToTwips(int pixels, double dpi);

// A window's frame brought into `area`: cut to the area's size where it is larger, and moved left
// or up only as far as it sticks out, so that a window that fits keeps its place.
QRect fitIntoArea(const QRect &frame, const QRect &area);

// Restores a window to stored twips and gives back twips for saving. A window that has not been
// moved since its restore gives back exactly the stored values, so positions do not drift by
// rounding from run to run.
class WindowPlacement {
  public:
    // A missing coordinate keeps the window's designed one. A position that would put the window
    // off every screen moves it onto the primary screen. The window, its frame included, is then
    // made to fit the available area of its screen (fitIntoArea).
    void restore(QWidget &window, std::optional<float> leftTwips, std::optional<float> topTwips,
                 QPointF designedTwips);
    QPointF twips(const QWidget &window) const;
    // Once shown, with the frame the window manager really gave it: back inside the area if it
    // sticks out.
    void keepOnScreen(QWidget &window);

  private:
    // At `framePosition`, or on the primary screen when that is off every screen, and fitted.
    static void place(QWidget &window, QPoint framePosition);

    QPoint restoredPixels_;
    QPointF restoredTwips_;
    bool restored_ = false;
};

} // namespace zelko6
