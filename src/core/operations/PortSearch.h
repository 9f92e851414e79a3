#pragma once
// Finding the programmer: the connection check on each of a list of ports in turn, on a link
// thread of its own, so that the face that asked stays responsive through the ten seconds each
// silent port costs. The face hears each port's outcome as it comes and, at the end, which port
// answered first as our firmware.

#include "core/operations/LinkThread.h"
#include "core/programmer/SystemPorts.h"

#include <functional>
#include <optional>
#include <vector>

namespace zelko6 {

// The ports worth a search: every present one, each device once (two numbers may name the same
// adapter), opened with the lines of `lines`.
std::vector<PortSettings> portsToSearch(const std::vector<PortEntry> &entries, const PortSettings &lines);

class PortSearch {
  public:
    // What the face hears: the port about to be checked, each port's outcome, and at the end the
    // port number that answered with our firmware first (none when no port did).
    struct Listener {
        std::function<void(int portNumber)> starting;
        std::function<void(const CheckOutcome &)> heard;
        std::function<void(std::optional<int>)> done;
    };

    // `events` hears what each check reports (its countdown among them), on the calling thread.
    PortSearch(LinkThread::LinkFactory makeLink, EventSink &events);
    // A running search is asked to stop; the link's thread ends once it has.
    ~PortSearch();
    PortSearch(const PortSearch &) = delete;
    PortSearch &operator=(const PortSearch &) = delete;

    // Checks `ports` in the order given; `done` comes once at the end. Not while a search runs.
    void start(std::vector<PortSettings> ports, Listener listener);
    bool running() const { return running_; }
    // The running check ends at its next wait and no further port is tried; `done` still comes.
    void abort();

  private:
    void next();

    LinkThread link_;
    std::vector<PortSettings> ports_;
    size_t nextPort_ = 0;
    std::optional<int> found_;
    bool running_ = false;
    bool aborted_ = false;
    Listener listener_;
};

} // namespace zelko6
