#include "cli/Console.h"

#include "cli/CliTexts.h"
#include "core/programmer/LinkTexts.h"

#include <algorithm>
#include <cmath>

namespace zelko6::cli {

namespace {
constexpr int kBarWidth = 30;
// Clears from the cursor to the end of the line, so a shorter redraw leaves nothing behind.
constexpr const char *kClearToEnd = "\033[K";

void writeLine(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}
} // namespace

Console::Console(std::FILE *out, std::FILE *err, bool errIsTerminal, Language language)
    : out_(out), err_(err), errIsTerminal_(errIsTerminal), language_(language)
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

void Console::windowText(const QString &text) const
{
    writeLine(err_, inLanguage(language_, text));
}

bool Console::dataBytes(const QByteArray &bytes) const
{
    const size_t written = std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), out_);
    return std::fflush(out_) == 0 && written == static_cast<size_t>(bytes.size());
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
    // Only the block transfers name themselves in panel 1; a single byte needs no progress.
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
    const QByteArray line = '\r' + (label + u' ' + barText(percent, left)).toUtf8() + kClearToEnd;
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), err_);
    std::fflush(err_);
}

void ProgressMeter::end()
{
    if (active_ && terminal_)
        std::fputc('\n', err_);
    active_ = false;
    lastTenth_ = 0;
}

ConsolePanels::ConsolePanels(const Console &console, ProgressMeter::Clock clock)
    : console_(console), meter_(console.err(), console.errIsTerminal(), std::move(clock))
{
}

void ConsolePanels::endProgress()
{
    meter_.end();
}

void ConsolePanels::setPanel(int panel, const QString &text)
{
    texts_[panel] = text;
    switch (panel) {
    case 1:
        // The operation's own text follows its last percentage.
        meter_.end();
        break;
    case 2:
        // The countdown of the connection check is only worth showing where it can be redrawn.
        if (text.startsWith(texts::kWaitingPrefix)) {
            if (console_.errIsTerminal()) {
                const QByteArray line = '\r' + text.toUtf8() + kClearToEnd;
                std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), console_.err());
                std::fflush(console_.err());
                countdownShown_ = true;
            }
            break;
        }
        if (countdownShown_) {
            std::fputs("\r\033[K", console_.err());
            countdownShown_ = false;
        }
        if (echoPort_ && !text.isEmpty() && text != lastPortEcho_) {
            console_.windowText(text);
            lastPortEcho_ = text;
        }
        break;
    case 3: {
        QString digits = text;
        digits.remove(u'%');
        bool ok = false;
        const int percent = digits.toInt(&ok);
        if (ok)
            meter_.update(inLanguage(console_.language(), texts_.value(1)), percent);
        break;
    }
    default:
        break;
    }
}

BoxAnswer ConsoleBoxes::show(BoxIcon, BoxButtons, const QString &title, const QString &text)
{
    console_.note(title + QStringLiteral(": ") + inLanguage(console_.language(), text));
    return BoxAnswer::Ok;
}

} // namespace zelko6::cli
