#pragma once
// One programmer on a bench: the fake board and clock, the device operations, and a stand-in for
// the window: its lock, the status panels its renderer writes (with the fake time of each text),
// what its grid shows after a read, and the log it opens.

#include "FakeBoard.h"
#include "core/base/NumberText.h"
#include "core/operations/DeviceOperations.h"
#include "core/operations/OperationRunner.h"
#include "core/programmer/VerifyLog.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <numeric>

namespace zelko6::test {

// Status panels that remember when each text appeared on the fake clock.
class TimedPanels final : public StatusPanels {
  public:
    explicit TimedPanels(const FakePump &pump) : pump_(pump) {}
    void setText(StatusPanel panel, const QString &text) override
    {
        const int number = static_cast<int>(panel) + 1;
        texts[number] = text;
        history.push_back({number, text, pump_.now});
    }
    QString text(StatusPanel panel) const override { return texts.value(static_cast<int>(panel) + 1); }
    QString panel(int number) const { return texts.value(number); }
    QStringList historyOf(int panel) const
    {
        QStringList out;
        for (const auto &h : history)
            if (h.panel == panel)
                out << h.text;
        return out;
    }
    double firstTimeOf(int panel, const QString &text) const
    {
        for (const auto &h : history)
            if (h.panel == panel && h.text == text)
                return h.time;
        return -1;
    }
    struct Entry {
        int panel;
        QString text;
        double time;
    };
    QMap<int, QString> texts;
    std::vector<Entry> history;

  private:
    const FakePump &pump_;
};

// The window as the operations meet it: its lock, and what it does with their events.
class RecordingView final : public OperationLock, public EventSink {
  public:
    RecordingView(const MemoryBuffer &buffer, const FakePump &pump, StatusPanels &panels, Shell &shell)
        : buffer_(buffer), pump_(pump), renderer_(panels), shell_(shell)
    {
    }
    // Only changes are kept: a repeated unlock is harmless, an unlock in the middle is not.
    void setOperationLock(bool locked) override
    {
        if (!locks.empty() && locks.back() == locked)
            return;
        locks.push_back(locked);
        if (!locked)
            unlockedAt = pump_.now;
    }
    void report(const StatusEvent &event) override
    {
        events.push_back(event);
        renderer_.render(event);
        if (const auto *read = std::get_if<ReadCompleted>(&event)) {
            if (read->scope == AccessScope::Block)
                showBuffer();
            else
                readBytes.push_back(read->value);
        } else if (std::holds_alternative<ReadIncomplete>(event)) {
            showBuffer();
        } else if (const auto *log = std::get_if<VerifyLogClosed>(&event); log && log->worthShowing()) {
            shell_.open(log->path);
        } else if (std::holds_alternative<FirmwareOutdated>(event)) {
            ++firmwareWarnings;
        }
    }
    template <typename Event> int count() const
    {
        return static_cast<int>(std::count_if(events.begin(), events.end(), [](const StatusEvent &e) {
            return std::holds_alternative<Event>(e);
        }));
    }
    // The last event of this type (that `matches`), or none.
    template <typename Event> const Event *last(const std::function<bool(const Event &)> &matches = {}) const
    {
        for (auto e = events.rbegin(); e != events.rend(); ++e)
            if (const auto *found = std::get_if<Event>(&*e); found && (!matches || matches(*found)))
                return found;
        return nullptr;
    }

    int selected = -1;
    QString accessSize;
    std::vector<bool> locks;
    int refreshes = 0;
    std::vector<uint8_t> shownBuffer;
    std::vector<uint8_t> readBytes;
    int firmwareWarnings = 0;
    double unlockedAt = -1;
    std::vector<StatusEvent> events;

  private:
    void showBuffer()
    {
        shownBuffer.assign(buffer_.bytes().begin(), buffer_.bytes().end());
        ++refreshes;
    }

    const MemoryBuffer &buffer_;
    const FakePump &pump_;
    StatusRenderer renderer_;
    Shell &shell_;
};

// The chip and buffer a test works on, as the window keeps them.
struct BenchState {
    ChipParams chip;
    MemoryBuffer BufData;
    QString AppDir; // where the verify log goes
};

class LinkFixture : public ::testing::Test {
  protected:
    // A chip of 2^sizeExp bytes; the board's memory is the same size.
    void useChip(int bus, int sizeExp, int pageSize, int adrMode = 0, int extParam = 0)
    {
        state.chip = ChipParams{bus, sizeExp, pageSize, adrMode, extParam, {}};
        state.BufData.recreate(sizeExp);
        board.memory.assign(size_t{1} << sizeExp, 0xFF);
        view.accessSize = QString::number(1 << sizeExp);
    }
    // What the window's buttons ask for, with the port of the saved settings.
    OperationRequest request(OperationKind kind) const
    {
        OperationRequest r;
        r.kind = kind;
        r.chip = state.chip;
        r.port = savedPortSettings(settings);
        r.accessSize = toInt32(view.accessSize).value_or(0);
        r.address = view.selected;
        r.verifyLogPath = state.AppDir + kVerifyLogName;
        return r;
    }
    // A button of the window: locked for the whole operation (which runs to its end here).
    OperationOutcome click(OperationKind kind)
    {
        runner.start(request(kind), state.BufData, [this](const OperationOutcome &o) { lastOutcome = o; });
        return lastOutcome;
    }
    // An operation of a face that locks nothing.
    OperationOutcome run(OperationKind kind)
    {
        ops.clearAbort();
        return lastOutcome = ops.run(request(kind), state.BufData);
    }
    // The last operation's elapsed seconds.
    double elapsed() const { return lastOutcome.seconds; }
    // Every pause made so far, in milliseconds, as the fake clock traced them.
    int tracedPausesMs() const
    {
        return std::accumulate(trace.begin(), trace.end(), 0, [](int sum, const QString &step) {
            return sum + (step.startsWith(QStringLiteral("pause ")) ? step.mid(6).toInt() : 0);
        });
    }
    // The time of the n-th (0-based) send of exactly this element.
    double sendTime(const QByteArray &element, int n = 0) const
    {
        for (size_t i = 0; i < board.sends.size(); ++i)
            if (board.sends[i] == element && n-- == 0)
                return board.sendTimes[i];
        return -1;
    }
    // Each element the PC sent after the identification queries.
    std::vector<QByteArray> transferSends() const
    {
        std::vector<QByteArray> out;
        for (const QByteArray &s : board.sends)
            if (s != "?")
                out.push_back(s);
        return out;
    }

    BenchState state;
    QStringList trace;
    FakePump pump{trace};
    FakeBoard board{pump, trace, 256};
    TimedPanels panels{pump};
    MemorySettingsStore store;
    Settings settings{store};
    RecordingShell shell;
    TempProgramDir dir;
    RecordingView view{state.BufData, pump, panels, shell};
    DeviceOperations ops{board, pump, view};
    InlineExecutor executor{ops};
    OperationRunner runner{executor, view};
    OperationOutcome lastOutcome;

    void SetUp() override { state.AppDir = dir.appDir(); }
};

inline QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out += static_cast<char>(v);
    return out;
}

} // namespace zelko6::test
