#pragma once
// Window positions are kept in twips (1440 per inch) and shown in pixels of the screen's
// logical resolution.

#include <QPoint>
#include <QPointF>
#include <optional>

class QWidget;

namespace zelko6 {

double logicalDpi();
int twipsToPixels(double twips, double dpi);
double pixelsToTwips(int pixels, double dpi);

// Restores a window to stored twips and gives back twips for saving. A window that has not been
// moved since its restore gives back exactly the stored values, so positions do not drift by
// rounding from run to run.
class WindowPlacement {
  public:
    // A missing coordinate keeps the window's designed one. A position that would put the window
    // off every screen moves it onto the primary screen.
    void restore(QWidget &window, std::optional<float> leftTwips, std::optional<float> topTwips,
                 QPointF designedTwips);
    QPointF twips(const QWidget &window) const;

  private:
    QPoint restoredPixels_;
    QPointF restoredTwips_;
    bool restored_ = false;
};

} // namespace zelko6
