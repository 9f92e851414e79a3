#pragma once
// Command line of the board simulator: what the simulated board is and which faults it shows.

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace boardsim {

struct Options {
    std::string linkPath;
    unsigned sizeExp = 17;
    std::string imagePath;
    std::string savePath;
    unsigned baud = 0; // 0: bytes move as fast as the pty takes them
    unsigned writeCycleMs = 0;
    std::string logPath;
    std::string id = "QT-LNK310 V 6.50";
    std::optional<std::size_t> idLength;
    std::optional<std::string> fwVersion;
    bool silent = false;
    bool setupReply = true;
    unsigned setupReplyBytes = 1;
    std::optional<unsigned> readStallAfter;
    unsigned surplus = 0;
    std::optional<unsigned> writeAckWrongAt;
    std::optional<unsigned> writeStallAt;
    // Address -> value a read returns instead; no value: the stored byte inverted.
    std::map<std::uint32_t, std::optional<std::uint8_t>> corrupt;
    std::optional<unsigned> unplugAfter;
    unsigned quitAfterOps = 0;
};

// Throws std::invalid_argument naming the offending option.
Options parseOptions(int argc, char **argv);
const char *usage();

} // namespace boardsim
