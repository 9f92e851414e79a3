#pragma once
// The one place that writes the status panels: every event the core reports becomes the texts the
// window has always shown there, in the order it has shown them. The command line renders into
// panels of its own through the same code.

#include "core/operations/Events.h"

#include <QString>
#include <initializer_list>
#include <utility>
#include <vector>

namespace zelko6 {

// The four panels of the status bar, by what they carry.
enum class StatusPanel {
    Message,  // the command's message: start text, result, failure
    Port,     // the port and firmware line of the connection check
    Progress, // a transfer's percentage, or the selected address
    Remark,   // the selected chip's remark
};

class StatusPanels {
  public:
    virtual ~StatusPanels() = default;
    virtual void setText(StatusPanel panel, const QString &text) = 0;
    virtual QString text(StatusPanel panel) const = 0;
};

class StatusRenderer {
  public:
    enum class Wording {
        AsTheWindowShows, // every failed reply wait is a time-out, as the window has always said
        Distinct,         // a lost port and an interruption are named as such
    };

    explicit StatusRenderer(StatusPanels &panels, Wording wording = Wording::AsTheWindowShows)
        : panels_(panels), wording_(wording)
    {
    }

    void render(const StatusEvent &event);

    // Texts a command keeps across a grid refresh it runs in its middle: held before, put back
    // after, in the order given.
    using Held = std::vector<std::pair<StatusPanel, QString>>;
    Held hold(std::initializer_list<StatusPanel> panels) const;
    void restore(const Held &held);

  private:
    void setPanel(StatusPanel panel, const QString &text);
    void appendPanel(StatusPanel panel, const QString &text);
    bool distinct() const { return wording_ == Wording::Distinct; }

    StatusPanels &panels_;
    Wording wording_;
};

} // namespace zelko6
