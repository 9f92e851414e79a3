#pragma once
// The window's surfaces on a terminal: the status panels become lines on standard error (the
// percentages of panel 3 a progress bar or one line per 10 %), message boxes are printed, the
// shell does nothing, and the operation view answers from the command line's options.

#include "cli/CliOptions.h"
#include "core/operations/OperationView.h"
#include "gui/Ports.h"

#include <QMap>
#include <QString>
#include <cstdio>
#include <functional>
#include <optional>

namespace zelko6::cli {

// Where the command line writes: data on standard output, everything a person reads on
// standard error, in the chosen language.
class Console {
  public:
    Console(std::FILE *out, std::FILE *err, bool errIsTerminal, Language language);

    Language language() const { return language_; }
    bool errIsTerminal() const { return errIsTerminal_; }
    std::FILE *err() const { return err_; }

    void data(const QString &line) const;       // standard output, one line
    void note(const QString &line) const;       // standard error, one line, as it is
    void windowText(const QString &text) const; // standard error, a window text in the language
    // Writes bytes to standard output; false when they could not all be written.
    bool dataBytes(const QByteArray &bytes) const;

  private:
    std::FILE *out_;
    std::FILE *err_;
    bool errIsTerminal_;
    Language language_;
};

// Panel 3's percentages over time. On a terminal a bar redrawn in place, with the time left
// estimated from the rate since the first percentage; otherwise one line whenever a new tenth is
// reached, so that a log shows the transfer moving without filling up.
class ProgressMeter {
  public:
    using Clock = std::function<double()>;
    ProgressMeter(std::FILE *err, bool terminal, Clock clock);

    void update(const QString &label, int percent);
    // Ends the bar's line; nothing when no bar is showing.
    void end();
    bool active() const { return active_; }

    // "[##########..........]  50%  ETA 0:12"; without an estimate the time is left out.
    static QString barText(int percent, std::optional<double> secondsLeft);

  private:
    std::FILE *err_;
    bool terminal_;
    Clock clock_;
    bool active_ = false;
    int lastTenth_ = 0;
    int firstPercent_ = 0;
    double firstTime_ = 0.0;
};

class ConsolePanels final : public StatusPanels {
  public:
    ConsolePanels(const Console &console, ProgressMeter::Clock clock);

    void setPanel(int panel, const QString &text) override;
    QString panel(int panel) const override { return texts_.value(panel); }

    // Whether the port and firmware line of panel 2 is echoed on standard error.
    void setEchoPort(bool echo) { echoPort_ = echo; }
    void endProgress();

  private:
    const Console &console_;
    ProgressMeter meter_;
    QMap<int, QString> texts_;
    bool echoPort_ = true;
    bool countdownShown_ = false;
    QString lastPortEcho_;
};

class ConsoleBoxes final : public MessageBoxes {
  public:
    explicit ConsoleBoxes(const Console &console) : console_(console) {}
    BoxAnswer show(BoxIcon icon, BoxButtons buttons, const QString &title, const QString &text) override;

  private:
    const Console &console_;
};

// Nothing opens a viewer on a command line: the verify log's path is printed instead.
class NullShell final : public Shell {
  public:
    void open(const QString &) override {}
};

// The operation view of a command line: the address and access size come from the options; the
// grid that a window would refresh does not exist.
class CliView final : public OperationView {
  public:
    void setOperationLock(bool) override {}
    int selectedAddress() const override { return address; }
    QString accessSizeText() const override { return accessSize; }
    void refreshGrid() override {}
    void showReadByte(uint8_t value) override { readByte = value; }

    int address = -1;
    QString accessSize;
    std::optional<uint8_t> readByte;
};

} // namespace zelko6::cli
