#pragma once
// How far a transfer has got, reported only when the percentage changes (so 0 never is).

#include "core/operations/Events.h"
#include "core/programmer/Transfer.h"

namespace zelko6 {

class ProgressTracker {
  public:
    ProgressTracker(EventSink &events, const TransferPlan &plan) : events_(events), plan_(plan) {}

    // The transfer has moved everything below `next`.
    void advanced(int32_t next)
    {
        const int percent = progressPercent(plan_, next);
        if (percent == lastReported_)
            return;
        lastReported_ = percent;
        events_.report(TransferProgress{percent});
    }

  private:
    EventSink &events_;
    TransferPlan plan_;
    int lastReported_ = 0;
};

} // namespace zelko6
