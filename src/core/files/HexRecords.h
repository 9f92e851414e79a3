#pragma once
// What the two text formats of hexadecimal records (Intel HEX and S-record) share: the outcome of
// a load, the damage a reader notices while it goes on loading leniently, the reading of a file
// in pieces split into lines, and the digits the writers put out.

#include "core/buffer/MemoryBuffer.h"
#include "core/text/HexText.h"

#include <QByteArrayView>
#include <QString>
#include <array>
#include <cstdint>
#include <cstring>

class QIODevice;

namespace zelko6 {

// Signs that a file is not what a tool wrote, or not all of it. The readers load such a file all
// the same (files of other tools with odd checksums must keep loading); whoever shows the result
// says so, so that nobody writes a broken image into a chip believing it whole.
struct FileDamage {
    enum class Kind {
        None,
        WrongChecksum, // a record whose checksum does not match its bytes
        CutOff,        // a record that ends before its data or its checksum does
        NoData,        // not one data record with a byte in it: perhaps not a record file at all
        NoEnd,         // no end record: perhaps the file's tail is missing
    };
    Kind kind = Kind::None;
    // The first line found damaged (1-based); for NoData and NoEnd the file's last line, which is
    // also the number of lines it has.
    int64_t line = 0;

    bool found() const { return kind != Kind::None; }
    friend bool operator==(const FileDamage &, const FileDamage &) = default;
};

// The outcome of reading either format.
struct HexLoadOutcome {
    enum class Status {
        Complete,   // read to the end
        DoesNotFit, // stopped at a data byte beyond the buffer or an address no chip can have
        Unreadable, // stopped because the file could not be opened or read to its end
    };
    Status status = Status::Complete;
    int64_t line = 0;    // where reading stopped (1-based); for Complete the number of lines read
    int64_t address = 0; // DoesNotFit: the address (or upper offset) that did not fit
    QString reason;      // Unreadable: the system's description
    // Noted along the way whatever the status; NoData and NoEnd only for a file read to its end.
    FileDamage damage = {};

    bool complete() const { return status == Status::Complete; }
    // Where and how reading ended; the damage is a finding of its own, compared on its own.
    friend bool operator==(const HexLoadOutcome &a, const HexLoadOutcome &b)
    {
        return a.status == b.status && a.line == b.line && a.address == b.address && a.reason == b.reason;
    }
};

// Reads a record file piece by piece into a buffer that the caller has already re-created, so that
// files of any size and lines of any length take bounded memory. Lines end at CR LF, LF or CR;
// each format reads its lines in readLine(). Bytes stored before a stop stay.
class HexRecordReader {
  public:
    virtual ~HexRecordReader() = default;

    // A whole text, a device from its current position to its end, or the file at a path.
    HexLoadOutcome readAll(QByteArrayView text);
    HexLoadOutcome readAll(QIODevice &device);
    HexLoadOutcome load(const QString &path);

    // Takes the next piece of the file; false once reading has stopped.
    bool feed(QByteArrayView piece);
    // Ends the file: a last line without a line end still counts.
    HexLoadOutcome finish();
    // Ends the file early because it could not be read further; the unfinished line is dropped.
    HexLoadOutcome fail(const QString &reason);

  protected:
    explicit HexRecordReader(MemoryBuffer &buffer) : buffer_(buffer) {}

    // The longest record of either format, 255 bytes after the count, takes 9 + 2 * 255 + 2
    // characters with its checksum (Intel HEX; an S-record takes 4 + 2 * 255). The rest of a
    // longer line is never looked at, so it is not kept.
    static constexpr int kUsefulLineLength = 9 + 2 * 255 + 2;

    // The line just ended, its first length_ characters in line_ (at most kUsefulLineLength).
    virtual void readLine(int64_t lineNo) = 0;

    // The value of `width` digits from the 1-based character `position`, read as HexWordValue
    // reads them; a field cut short by the end of the line reads as zero-padded on the left.
    int field(int position, int width) const;
    // The first damage of a record is the one told.
    void noteDamage(FileDamage::Kind kind, int64_t lineNo);
    // Stores a byte, or stops reading when the address is not in the buffer.
    bool store(int64_t address, int value, int64_t lineNo);
    void stopBeyond(int64_t address, int64_t lineNo);

    MemoryBuffer &buffer_;
    std::array<char, kUsefulLineLength> line_{};
    int length_ = 0;
    bool sawData_ = false; // a data record with at least one byte
    bool sawEnd_ = false;  // an end record, wherever it stood

  private:
    void endLine();

    bool afterCr_ = false;
    bool stopped_ = false;
    int64_t linesEnded_ = 0;
    FileDamage damage_;
    HexLoadOutcome outcome_;
};

// The writers' output, into a text allocated once at its exact size.
namespace hexout {

inline char *put(char *out, const char *text)
{
    const size_t n = std::strlen(text);
    std::memcpy(out, text, n);
    return out + n;
}

// Two upper-case digits.
inline char *putByte(char *out, unsigned value)
{
    out[0] = kHexUpper[(value >> 4) & 15];
    out[1] = kHexUpper[value & 15];
    return out + 2;
}

inline constexpr char kLineEnd[] = "\r\n";

} // namespace hexout

} // namespace zelko6
