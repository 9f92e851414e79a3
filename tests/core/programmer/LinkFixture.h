#pragma once
// One programmer on a bench: state, fake board and clock, status bar, settings, boxes, shell and
// a window stand-in, wired into DeviceOperations as the main window would wire them.

#include "FakeBoard.h"
#include "core/operations/DeviceOperations.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace zelko6::test {

class RecordingView final : public OperationView {
  public:
    RecordingView(const AppState &state, const FakePump &pump) : state_(state), pump_(pump) {}
    // Only changes are kept: a repeated unlock is harmless, an unlock in the middle is not.
    void setOperationLock(bool locked) override
    {
        if (!locks.empty() && locks.back() == locked)
            return;
        locks.push_back(locked);
        if (!locked)
            unlockedAt = pump_.now;
    }
    int selectedAddress() const override { return selected; }
    QString accessSizeText() const override { return accessSize; }
    void refreshGrid() override
    {
        shownBuffer.assign(state_.BufData.bytes().begin(), state_.BufData.bytes().end());
        ++refreshes;
    }
    void showReadByte(uint8_t value) override { readBytes.push_back(value); }

    int selected = -1;
    QString accessSize;
    std::vector<bool> locks;
    int refreshes = 0;
    std::vector<uint8_t> shownBuffer;
    std::vector<uint8_t> readBytes;
    double unlockedAt = -1;

  private:
    const AppState &state_;
    const FakePump &pump_;
};

// Status panels that remember when each text appeared on the fake clock.
class TimedPanels final : public StatusPanels {
  public:
    explicit TimedPanels(const FakePump &pump) : pump_(pump) {}
    void setPanel(int panel, const QString &text) override
    {
        texts[panel] = text;
        history.push_back({panel, text, pump_.now});
    }
    QString panel(int panel) const override { return texts.value(panel); }
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

class LinkFixture : public ::testing::Test {
  protected:
    // A two-wire chip of 2^sizeExp bytes; the board's memory is the same size.
    void useChip(int bus, int sizeExp, int pageSize, int adrMode = 0, int extParam = 0)
    {
        state.chip = ChipParams{bus, sizeExp, pageSize, adrMode, extParam, {}};
        state.BufData.recreate(sizeExp);
        board.memory.assign(size_t{1} << sizeExp, 0xFF);
        view.accessSize = QString::number(1 << sizeExp);
    }
    LinkContext context() { return LinkContext{state, board, pump, panels}; }
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

    AppState state;
    QStringList trace;
    FakePump pump{trace};
    FakeBoard board{pump, trace, 256};
    TimedPanels panels{pump};
    MemorySettingsStore store;
    Settings settings{store};
    ScriptedMessageBoxes boxes;
    RecordingShell shell;
    TempProgramDir dir;
    RecordingView view{state, pump};
    DeviceOperations ops{OperationPorts{state, board, pump, panels, settings, boxes, shell, view}};

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
