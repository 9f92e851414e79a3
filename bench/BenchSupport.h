#pragma once
// Stand-ins for the message boxes and the shell, for benchmarks that run the real windows
// without anyone to answer a box or a viewer to open.

#include "gui/Desktop.h"

namespace zelko6::bench {

class SilentBoxes final : public MessageBoxes {
  public:
    BoxAnswer show(BoxIcon, BoxButtons, const QString &, const QString &) override { return BoxAnswer::Ok; }
};

class NoShell final : public Shell {
  public:
    void open(const QString &) override {}
};

} // namespace zelko6::bench
