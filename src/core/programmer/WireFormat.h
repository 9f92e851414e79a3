#pragma once
// The elements of the command language, each built in a buffer of exactly its own length so that
// it can be handed to the port in one send. Pure functions: a test compares them byte for byte.

#include "core/devices/ChipParams.h"

#include <QByteArray>
#include <array>
#include <cstdint>
#include <optional>

namespace zelko6 {
// What one transfer moves: the byte under the grid's current cell, or a block from address 0.
enum class AccessScope : int32_t { None = 0, SelectedByte = 1, Block = 2 };
} // namespace zelko6

namespace zelko6::wire {

inline constexpr char kLeadIn = 'E';      // sent alone before every command header
inline constexpr char kHeaderStart = 'e'; // first byte of a command header
inline constexpr char kAck = '@';         // "next chunk, please", in both directions
inline constexpr char kIdentify = '?';    // asks the firmware for its identification
inline constexpr int kMaxChunk = 16;      // no chunk is ever longer

inline constexpr int32_t kTwoWireBus = 2;
inline constexpr int32_t kThreeWireBus = 3;

enum class Operation { Setup, Read, Write };

// A 32-bit value as four bytes, most significant first.
std::array<uint8_t, 4> SplitLong(int32_t value);

// The bus digit "2" or "3"; nothing for a bus the board does not know.
std::optional<char> busDigit(int32_t bus);

// "P" for set-up whatever the addressing code; "R"/"W" for codes 0 and 1, "r"/"w" for code 2.
// Nothing for a code outside 0..2.
std::optional<char> operationLetter(Operation op, int32_t adrMode);

QByteArray leadIn();
QByteArray identifyQuery();
QByteArray ack();
// "e", the bus digit, the letter. The caller has checked the chip (see checkChip).
QByteArray commandHeader(const ChipParams &chip, Operation op);

// Chunk count, bits 16..23 of the address on a two-wire chip or the extra parameter on a
// three-wire chip, bits 8..15, bits 0..7. Bits 24..31 are never sent.
QByteArray addressRecord(const ChipParams &chip, int chunkCount, int32_t address);

// Bytes per chunk: 1 for a single byte; for a block, the page size up to 16 on a two-wire chip
// (a page is never crossed), always 16 on a three-wire chip. 0 when the chip gives none.
int chunkCount(const ChipParams &chip, AccessScope scope);

// Why a chip's parameters cannot drive a transfer of that scope, if they cannot.
enum class ChipFault { None, Bus, AdrMode, PageSize, ExtParam };
ChipFault checkChip(const ChipParams &chip, AccessScope scope);

} // namespace zelko6::wire
