#pragma once
// The desktop as the windows reach it: opening documents and message boxes. Real implementations
// wrap Qt (QtPlatform); tests put fakes in their place.

#include <QString>

namespace zelko6 {

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
