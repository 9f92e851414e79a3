#pragma once
// The arithmetic around a transfer: which addresses it covers, why it is refused, the progress
// percentage and the elapsed-time texts. Plain functions over values.

#include "core/programmer/Protocol.h"
#include "gui/AppState.h"
#include "gui/Ports.h"

#include <QString>
#include <variant>

namespace zelko6 {

// Chip parameters or sizes that cannot make a transfer; found before anything is sent.
enum class Refusal { Bus, AdrMode, ExtParam, PageSize, AccessSize, Address };

// The range and chunk size for a scope: the selected byte alone, or the block from address 0 of
// the access size. The range must lie inside the buffer.
std::variant<TransferPlan, Refusal> planTransfer(const AppState &state, AccessScope scope,
                                                 int selectedAddress, const QString &accessSizeText);

QString refusalText(Refusal refusal);

// (current − first) × 100 ÷ (last − first + 1), rounded half to even.
int progressPercent(const TransferPlan &plan, int32_t current);

// Panel 3 during a transfer: the percentage, written only when it changes (so 0 never shows).
class ProgressDisplay {
  public:
    ProgressDisplay(StatusPanels &panels, const TransferPlan &plan) : panels_(panels), plan_(plan) {}
    void update(int32_t current);

  private:
    StatusPanels &panels_;
    TransferPlan plan_;
    int lastShown_ = 0;
};

// Seconds with one decimal, at least one integer digit ("0.96" → "1.0", "12.34" → "12.3").
QString tenthsText(double seconds);
// Whole seconds, rounded down ("12.9" → "12").
QString wholeSecondsText(double seconds);

} // namespace zelko6
