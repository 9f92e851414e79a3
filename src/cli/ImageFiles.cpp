#include "cli/ImageFiles.h"

#include "cli/CommandLineText.h"
#include "cli/Interruption.h"
#include "core/files/BinaryImage.h"
#include "core/files/IntelHex.h"
#include "core/files/SRecord.h"
#include "messages/StatusTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace zelko6::cli {

namespace {

QString detail(const QString &name, const QString &what)
{
    return QStringLiteral(" (") + name + QStringLiteral(": ") + what + u')';
}

QString displayName(const QString &name)
{
    return name == kStandardStream ? QStringLiteral("stdin") : name;
}

// Standard input through its descriptor rather than stdio's FILE: no second buffer in between, and
// a read that blocks is a plain read() that a signal interrupts under any runtime (a thread
// checker holds a signal back while the thread is inside stdio).
bool openStandardInput(QFile &in)
{
    return in.open(fileno(stdin), QIODevice::ReadOnly);
}

BinaryLoadOutcome readBinaryFile(const QString &name, MemoryBuffer &buffer)
{
    if (name != kStandardStream)
        return loadBinary(name, buffer);
    QFile in;
    if (!openStandardInput(in))
        return {BinaryLoadOutcome::Status::Unreadable, 0, in.errorString()};
    return readBinary(in, buffer);
}

FileResult loadBinaryImage(const QString &name, int sizeExp, MemoryBuffer &buffer)
{
    using Status = BinaryLoadOutcome::Status;
    MemoryBuffer loaded;
    loaded.recreate(sizeExp);
    const BinaryLoadOutcome outcome = readBinaryFile(name, loaded);
    const QString size = QString::number(loaded.size());
    switch (outcome.status) {
    case Status::Longer:
        return {kExitFile, StatusTexts::fileStatus(FileStage::BinaryTooLong, {}) +
                               detail(displayName(name),
                                      QString::number(outcome.fileSize) + QStringLiteral(" > ") + size)};
    case Status::Unreadable:
        return {kExitFile, StatusTexts::fileStatus(FileStage::CannotOpen, {}) +
                               detail(displayName(name), outcome.reason)};
    case Status::Shorter:
        buffer = std::move(loaded);
        return {kExitOk, StatusTexts::fileStatus(FileStage::LoadedShorter, {}) +
                             detail(displayName(name),
                                    QString::number(outcome.fileSize) + QStringLiteral(" < ") + size)};
    case Status::Exact:
        break;
    }
    buffer = std::move(loaded);
    return {};
}

HexLoadOutcome readRecordFile(const QString &name, ImageFormat format, MemoryBuffer &buffer)
{
    const bool sRecord = format == ImageFormat::SRecord;
    if (name != kStandardStream)
        return sRecord ? loadSRecord(name, buffer) : loadIntelHex(name, buffer);
    QFile in;
    if (!openStandardInput(in))
        return {HexLoadOutcome::Status::Unreadable, 0, 0, in.errorString(), {}};
    return sRecord ? readSRecord(in, buffer) : readIntelHex(in, buffer);
}

// Intel HEX or S-record: the same outcomes, so the same judgement.
FileResult loadRecordImage(const QString &name, ImageFormat format, int sizeExp, MemoryBuffer &buffer,
                           bool lenient)
{
    buffer.recreate(sizeExp);
    const HexLoadOutcome outcome = readRecordFile(name, format, buffer);
    const QString where = displayName(name);
    switch (outcome.status) {
    case HexLoadOutcome::Status::Complete:
        if (!outcome.damage.found())
            return {};
        // The window loads what can be read and says so; a script must ask for that.
        if (lenient)
            return {kExitOk, StatusTexts::fileDamageAlone(outcome.damage) +
                                 detail(where, CommandLine::tr("読める所まで読み込みました (--lenient)"))};
        buffer.recreate(sizeExp);
        return {
            kExitFile,
            StatusTexts::fileDamageAlone(outcome.damage) +
                detail(where, CommandLine::tr("読み込んでいません。--lenient で読める所まで読み込みます"))};
    case HexLoadOutcome::Status::DoesNotFit:
        buffer.recreate(sizeExp);
        return {kExitFile,
                StatusTexts::doesNotFitAlone() + detail(where, CommandLine::tr("%1 行目, 0x%2 >= 0x%3")
                                                                   .arg(outcome.line)
                                                                   .arg(outcome.address, 0, 16)
                                                                   .arg(qulonglong{buffer.size()}, 0, 16))};
    case HexLoadOutcome::Status::Unreadable:
        break;
    }
    buffer.recreate(sizeExp);
    // Nothing read at all is a file that would not open; otherwise it broke off part way.
    if (outcome.line == 0)
        return {kExitFile,
                StatusTexts::fileStatus(FileStage::CannotOpen, {}) + detail(where, outcome.reason)};
    return {kExitFile,
            StatusTexts::unreadableAlone() +
                detail(where, CommandLine::tr("%1 行目, %2").arg(outcome.line).arg(outcome.reason))};
}

} // namespace

std::variant<ImageFormat, QString> formatOf(const QString &name, std::optional<ImageFormat> dashFormat)
{
    if (name == kStandardStream)
        return dashFormat.value_or(ImageFormat::IntelHex);
    const QString suffix = QFileInfo(name).suffix().toLower();
    if (suffix == QStringLiteral("hex") || suffix == QStringLiteral("ihx"))
        return ImageFormat::IntelHex;
    if (suffix == QStringLiteral("bin"))
        return ImageFormat::Binary;
    if (isSRecordName(name))
        return ImageFormat::SRecord;
    return CommandLine::tr("'%1' の名前から形式が分かりません: .hex, .ihx, .s19, .s28, .s37, .srec, .mot, "
                           ".bin のどれかにしてください")
        .arg(name);
}

FileResult loadImage(const QString &name, ImageFormat format, int sizeExp, MemoryBuffer &buffer, bool lenient)
{
    return format == ImageFormat::Binary ? loadBinaryImage(name, sizeExp, buffer)
                                         : loadRecordImage(name, format, sizeExp, buffer, lenient);
}

FileResult checkCanSave(const QString &name)
{
    if (name == kStandardStream)
        return {};
    const QFileInfo info(name);
    const QFileInfo folder(info.absolutePath());
    if (info.isDir())
        return {kExitFile, StatusTexts::notSaved() + detail(name, CommandLine::tr("フォルダーです"))};
    if (!folder.isDir() || !folder.isWritable())
        return {kExitFile, StatusTexts::notSaved() + detail(name, info.absolutePath())};
    return {};
}

FileResult saveImage(const MemoryBuffer &buffer, const QString &name, ImageFormat format,
                     const Console &console)
{
    const QByteArray bytes = format == ImageFormat::IntelHex ? intelHexText(buffer)
                             : format == ImageFormat::SRecord
                                 ? sRecordText(buffer)
                                 : QByteArray(reinterpret_cast<const char *>(buffer.data()),
                                              static_cast<qsizetype>(buffer.size()));
    if (name == kStandardStream) {
        if (const auto reason = console.dataBytes(bytes))
            return {kExitFile, StatusTexts::notSaved() + detail(QStringLiteral("stdout"), *reason)};
        return {};
    }
    // A request to stop while the file is written leaves no file: the command then ends.
    const OrderlyStretch orderly;
    const SaveOutcome outcome = saveFileAtomically(name, bytes, [] { return interrupted(); });
    if (interrupted())
        return {kExitInterrupted, QString()};
    if (!outcome.saved)
        return {kExitFile, StatusTexts::notSaved() + detail(name, outcome.reason)};
    return {kExitOk, StatusTexts::fileStatus(FileStage::Saved, {}) + name};
}

} // namespace zelko6::cli
