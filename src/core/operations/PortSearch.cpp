#include "core/operations/PortSearch.h"

#include <QFileInfo>
#include <QSet>

namespace zelko6 {

std::vector<PortSettings> portsToSearch(const std::vector<PortEntry> &entries, const PortSettings &lines)
{
    std::vector<PortSettings> ports;
    QSet<QString> devices;
    for (const PortEntry &entry : entries) {
        if (!entry.present)
            continue;
        // Two names of one device node are searched once. A name that is no file (Windows' COMn)
        // is its own key: every such name would otherwise share the empty path.
        const QString canonical = QFileInfo(entry.device).canonicalFilePath();
        const QString node = canonical.isEmpty() ? entry.device : canonical;
        if (devices.contains(node))
            continue;
        devices.insert(node);
        ports.push_back(PortSettings{entry.number, lines.rtsEnable, lines.dtrEnable, entry.device});
    }
    return ports;
}

PortSearch::PortSearch(LinkThread::LinkFactory makeLink, EventSink &events)
    : link_(std::move(makeLink), events)
{
}

PortSearch::~PortSearch()
{
    // The link thread's own destruction stops the running check; nothing is to be heard after.
    listener_ = {};
}

void PortSearch::start(std::vector<PortSettings> ports, Listener listener)
{
    if (running_)
        return;
    ports_ = std::move(ports);
    nextPort_ = 0;
    found_.reset();
    aborted_ = false;
    running_ = true;
    listener_ = std::move(listener);
    next();
}

void PortSearch::abort()
{
    if (!running_)
        return;
    aborted_ = true;
    link_.requestAbort();
}

void PortSearch::next()
{
    if (aborted_ || nextPort_ >= ports_.size()) {
        running_ = false;
        if (listener_.done)
            listener_.done(found_);
        return;
    }
    const PortSettings port = ports_[nextPort_++];
    if (listener_.starting)
        listener_.starting(port.portNumber);
    link_.startIdentify(port, [this](const CheckOutcome &outcome) {
        if (outcome.result == CheckResult::Identified && !found_)
            found_ = outcome.portNumber;
        if (listener_.heard)
            listener_.heard(outcome);
        next();
    });
}

} // namespace zelko6
