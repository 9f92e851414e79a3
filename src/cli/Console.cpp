#include "cli/Console.h"

#include "cli/Terminal.h"
#include "core/base/Version.h"
#include "messages/StatusTexts.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

namespace zelko6::cli {

namespace {
constexpr int kBarWidth = 30;
// Clears from the cursor to the end of the line, so a shorter redraw leaves nothing behind.
constexpr const char *kClearToEnd = "\033[K";

void writeLine(std::FILE *stream, const QString &text)
{
    terminal::writeText(stream, text.toUtf8() + '\n');
}

void writeInPlace(std::FILE *stream, const QString &text)
{
    terminal::writeText(stream, '\r' + text.toUtf8() + kClearToEnd);
}

} // namespace

Console::Console(std::FILE *out, std::FILE *err, bool errIsTerminal)
    : out_(out), err_(err), errIsTerminal_(errIsTerminal)
{
}

void Console::data(const QString &line) const
{
    writeLine(out_, line);
}

void Console::note(const QString &line) const
{
    writeLine(err_, line);
}

std::optional<QString> Console::dataBytes(const QByteArray &bytes) const
{
    errno = 0;
    const size_t written = std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), out_);
    if (std::fflush(out_) == 0 && written == static_cast<size_t>(bytes.size()))
        return std::nullopt;
    // A full disk or a closed pipe: the system's own words, not a guess.
    return QString::fromLocal8Bit(std::strerror(errno != 0 ? errno : EIO));
}

ProgressMeter::ProgressMeter(std::FILE *err, bool terminal, Clock clock)
    : err_(err), terminal_(terminal), clock_(std::move(clock))
{
}

QString ProgressMeter::barText(int percent, std::optional<double> secondsLeft)
{
    const int clamped = std::clamp(percent, 0, 100);
    const int filled = clamped * kBarWidth / 100;
    QString text = u'[' + QString(filled, u'#') + QString(kBarWidth - filled, u'.') + u']' +
                   QStringLiteral(" %1%").arg(clamped, 3);
    if (secondsLeft) {
        const auto whole = static_cast<long long>(std::ceil(std::max(0.0, *secondsLeft)));
        text += QStringLiteral("  ETA %1:%2").arg(whole / 60).arg(whole % 60, 2, 10, QLatin1Char('0'));
    }
    return text;
}

void ProgressMeter::update(const QString &label, int percent)
{
    // Only the block transfers name themselves; a single byte needs no progress.
    if (label.isEmpty())
        return;
    if (!terminal_) {
        const int tenth = std::clamp(percent, 0, 100) / 10;
        active_ = true;
        if (tenth <= lastTenth_)
            return;
        lastTenth_ = tenth;
        writeLine(err_, label + QStringLiteral(" %1%").arg(tenth * 10));
        return;
    }
    const double now = clock_();
    if (!active_) {
        active_ = true;
        firstPercent_ = percent;
        firstTime_ = now;
    }
    std::optional<double> left;
    if (percent > firstPercent_)
        left = (now - firstTime_) / (percent - firstPercent_) * (100 - percent);
    writeInPlace(err_, label + u' ' + barText(percent, left));
}

void ProgressMeter::end()
{
    if (active_ && terminal_)
        terminal::writeText(err_, "\n");
    active_ = false;
    lastTenth_ = 0;
}

ConsoleReporter::ConsoleReporter(const Console &console, ProgressMeter::Clock clock)
    : console_(console), renderer_(*this, StatusRenderer::Wording::Distinct),
      meter_(console.err(), console.errIsTerminal(), std::move(clock))
{
}

void ConsoleReporter::echoPortLine()
{
    if (countdownShown_) {
        terminal::writeText(console_.err(), QByteArray("\r") + kClearToEnd);
        countdownShown_ = false;
    }
    const QString line = text(StatusPanel::Port);
    if (echoPort_ && !line.isEmpty() && line != lastPortEcho_) {
        console_.note(line);
        lastPortEcho_ = line;
    }
}

void ConsoleReporter::report(const StatusEvent &event)
{
    renderer_.render(event);
    std::visit(EventHandlers{
                   // The countdown is only worth showing where it can be redrawn.
                   [&](const CheckCountdown &) {
                       if (!console_.errIsTerminal())
                           return;
                       writeInPlace(console_.err(), text(StatusPanel::Port));
                       countdownShown_ = true;
                   },
                   // The operation's own message names the transfer that is moving.
                   [&](const TransferProgress &e) { meter_.update(message(), e.percent); },
                   [&](const FirmwareIdentified &) { echoPortLine(); },
                   [&](const ReplyUnrecognised &) {
                       meter_.end();
                       echoPortLine();
                   },
                   [&](const CheckFailed &) {
                       meter_.end();
                       echoPortLine();
                   },
                   [&](const FirmwareOutdated &) {
                       meter_.end();
                       console_.note(kAppTitle + QStringLiteral(": ") + StatusTexts::oldFirmware());
                   },
                   // Anything else changes the message: the percentages that went before are over.
                   [&](const auto &) { meter_.end(); },
               },
               event);
}

} // namespace zelko6::cli
