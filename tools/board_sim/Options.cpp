#include "Options.h"

#include <charconv>
#include <stdexcept>
#include <string_view>

namespace boardsim {

namespace {

// Decimal or 0x-hex only: a leading zero must not silently switch to octal.
unsigned long parseNumber(std::string_view option, std::string_view text, unsigned long max)
{
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    unsigned long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || ec != std::errc{} || end != text.data() + text.size() || value > max)
        throw std::invalid_argument(std::string(option) + ": bad number '" + std::string(text) + "'");
    return value;
}

} // namespace

const char *usage()
{
    return "usage: zelko6-boardsim [options]\n"
           "  --link PATH  --size-exp N  --image FILE  --save FILE  --baud N  --write-cycle-ms N\n"
           "  --log FILE  --id TEXT  --id-length N  --fw-version TEXT  --silent  --no-setup-reply\n"
           "  --setup-reply-bytes N  --read-stall-after K  --surplus N  --write-ack-wrong-at K\n"
           "  --write-stall-at K  --corrupt ADDR[=VAL]  --unplug-after K  --quit-after-ops N\n";
}

Options parseOptions(int argc, char **argv)
{
    constexpr unsigned long kCount = 1UL << 30;
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string_view name = argv[i];
        const auto value = [&]() -> std::string_view {
            if (i + 1 >= argc)
                throw std::invalid_argument(std::string(name) + ": value missing");
            return argv[++i];
        };
        const auto number = [&](unsigned long max) { return parseNumber(name, value(), max); };

        if (name == "--link")
            o.linkPath = value();
        else if (name == "--size-exp")
            o.sizeExp = number(24);
        else if (name == "--image")
            o.imagePath = value();
        else if (name == "--save")
            o.savePath = value();
        else if (name == "--baud")
            o.baud = number(10'000'000);
        else if (name == "--write-cycle-ms")
            o.writeCycleMs = number(600'000);
        else if (name == "--log")
            o.logPath = value();
        else if (name == "--id")
            o.id = value();
        else if (name == "--id-length")
            o.idLength = number(kCount);
        else if (name == "--fw-version")
            o.fwVersion = value();
        else if (name == "--silent")
            o.silent = true;
        else if (name == "--no-setup-reply")
            o.setupReply = false;
        else if (name == "--setup-reply-bytes")
            o.setupReplyBytes = number(4096);
        else if (name == "--read-stall-after")
            o.readStallAfter = number(kCount);
        else if (name == "--surplus")
            o.surplus = number(4096);
        else if (name == "--write-ack-wrong-at")
            o.writeAckWrongAt = number(kCount);
        else if (name == "--write-stall-at")
            o.writeStallAt = number(kCount);
        else if (name == "--corrupt") {
            const std::string_view text = value();
            const auto eq = text.find('=');
            const auto address = parseNumber(name, text.substr(0, eq), 0xFFFFFF);
            std::optional<std::uint8_t> replacement;
            if (eq != std::string_view::npos)
                replacement = static_cast<std::uint8_t>(parseNumber(name, text.substr(eq + 1), 0xFF));
            o.corrupt[static_cast<std::uint32_t>(address)] = replacement;
        } else if (name == "--unplug-after")
            o.unplugAfter = number(kCount);
        else if (name == "--quit-after-ops")
            o.quitAfterOps = number(kCount);
        else
            throw std::invalid_argument("unknown option " + std::string(name));
    }
    return o;
}

} // namespace boardsim
