#include "core/programmer/WireFormat.h"

#include <algorithm>

namespace zelko6::wire {

std::array<uint8_t, 4> SplitLong(int32_t value)
{
    const auto v = static_cast<uint32_t>(value);
    return {static_cast<uint8_t>(v >> 24), static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8),
            static_cast<uint8_t>(v)};
}

std::optional<char> busDigit(int32_t bus)
{
    switch (bus) {
    case kTwoWireBus:
        return '2';
    case kThreeWireBus:
        return '3';
    default:
        return std::nullopt;
    }
}

std::optional<char> operationLetter(Operation op, int32_t adrMode)
{
    if (op == Operation::Setup)
        return 'P';
    if (adrMode < 0 || adrMode > 2)
        return std::nullopt;
    const bool lowerCase = adrMode == 2;
    if (op == Operation::Read)
        return lowerCase ? 'r' : 'R';
    return lowerCase ? 'w' : 'W';
}

static QByteArray single(char c)
{
    return QByteArray(1, c);
}

QByteArray leadIn()
{
    return single(kLeadIn);
}
QByteArray identifyQuery()
{
    return single(kIdentify);
}
QByteArray ack()
{
    return single(kAck);
}

QByteArray commandHeader(const ChipParams &chip, Operation op)
{
    QByteArray header(3, '\0');
    header[0] = kHeaderStart;
    header[1] = busDigit(chip.DUT_Bus).value_or('\0');
    header[2] = operationLetter(op, chip.DUT_AdrMode).value_or('\0');
    return header;
}

QByteArray addressRecord(const ChipParams &chip, int chunkCount, int32_t address)
{
    const auto bytes = SplitLong(address);
    QByteArray record(4, '\0');
    record[0] = static_cast<char>(chunkCount);
    // A three-wire chip takes its organisation from the extra parameter; its addresses never
    // reach bit 16.
    record[1] =
        static_cast<char>(chip.DUT_Bus == kThreeWireBus ? static_cast<uint8_t>(chip.DUT_ExtParam) : bytes[1]);
    record[2] = static_cast<char>(bytes[2]);
    record[3] = static_cast<char>(bytes[3]);
    return record;
}

int chunkCount(const ChipParams &chip, AccessScope scope)
{
    if (scope == AccessScope::SelectedByte)
        return 1;
    if (scope != AccessScope::Block)
        return 0;
    switch (chip.DUT_Bus) {
    case kTwoWireBus:
        return chip.DUT_PageSize <= 0 ? 0 : std::min(chip.DUT_PageSize, kMaxChunk);
    case kThreeWireBus:
        return kMaxChunk;
    default:
        return 0;
    }
}

ChipFault checkChip(const ChipParams &chip, AccessScope scope)
{
    if (!busDigit(chip.DUT_Bus))
        return ChipFault::Bus;
    if (!operationLetter(Operation::Read, chip.DUT_AdrMode))
        return ChipFault::AdrMode;
    if (chip.DUT_Bus == kThreeWireBus && (chip.DUT_ExtParam < 0 || chip.DUT_ExtParam > 255))
        return ChipFault::ExtParam;
    if (chunkCount(chip, scope) <= 0)
        return ChipFault::PageSize;
    return ChipFault::None;
}

} // namespace zelko6::wire
