#pragma once
// The small interfaces through which commands reach the world. Real implementations wrap Qt;
// tests put fakes in their place.

#include <QString>

namespace zelko6 {

// The four text panels of the main window's status bar, numbered 1 to 4.
class StatusPanels {
  public:
    virtual ~StatusPanels() = default;
    virtual void setPanel(int panel, const QString &text) = 0;
    virtual QString panel(int panel) const = 0;
    void append(int panel, const QString &text) { setPanel(panel, this->panel(panel) + text); }
};

// Opening a document or address with the desktop's associated program, without waiting.
// The result is not examined by any caller: a missing viewer is not the program's failure.
class Shell {
  public:
    virtual ~Shell() = default;
    virtual void open(const QString &pathOrUrl) = 0;
};

enum class BoxIcon { None, Error, Question, Information };
enum class BoxButtons { Ok, OkCancel };
enum class BoxAnswer { Ok, Cancel };

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual BoxAnswer show(BoxIcon icon, BoxButtons buttons, const QString &title, const QString &text) = 0;
};

} // namespace zelko6
