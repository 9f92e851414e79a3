#pragma once
// The command line's surfaces: data on standard output, everything a person reads on standard
// error; and its face of the core's events, in the chosen language: the status panels kept as the
// window shows them, the port line and warnings printed as they come, the percentages as progress.

#include "core/operations/Events.h"
#include "messages/StatusRenderer.h"

#include <QMap>
#include <QString>
#include <cstdio>
#include <functional>
#include <optional>

namespace zelko6::cli {

class Console {
  public:
    Console(std::FILE *out, std::FILE *err, bool errIsTerminal);

    bool errIsTerminal() const { return errIsTerminal_; }
    std::FILE *err() const { return err_; }

    void data(const QString &line) const; // standard output, one line
    void note(const QString &line) const; // standard error, one line
    // Writes bytes to standard output; the system's reason when they could not all be written.
    std::optional<QString> dataBytes(const QByteArray &bytes) const;

  private:
    std::FILE *out_;
    std::FILE *err_;
    bool errIsTerminal_;
};

// A transfer's percentages over time. On a terminal a bar redrawn in place, with the time left
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

class ConsoleReporter final : public EventSink, private StatusPanels {
  public:
    ConsoleReporter(const Console &console, ProgressMeter::Clock clock);

    void report(const StatusEvent &event) override;
    // The message the last operation left, as the window's first panel shows it.
    QString message() const { return text(StatusPanel::Message); }

    // Whether the port and firmware line is echoed on standard error.
    void setEchoPort(bool echo) { echoPort_ = echo; }
    void endProgress() { meter_.end(); }

  private:
    void setText(StatusPanel panel, const QString &text) override { texts_[panel] = text; }
    QString text(StatusPanel panel) const override { return texts_.value(panel); }
    void echoPortLine();

    const Console &console_;
    StatusRenderer renderer_;
    ProgressMeter meter_;
    QMap<StatusPanel, QString> texts_;
    bool echoPort_ = true;
    bool countdownShown_ = false;
    QString lastPortEcho_;
};

} // namespace zelko6::cli
