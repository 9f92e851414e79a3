#include "cli/ImageFiles.h"

#include "cli/CommandLineText.h"
#include "cli/Interruption.h"
#include "core/files/ImageFile.h"
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

// A binary image is loaded whole or not at all.
FileResult judged(const BinaryLoadOutcome &outcome, const QString &where, size_t size, bool /*lenient*/)
{
    using Status = BinaryLoadOutcome::Status;
    const QString bytes = QString::number(size);
    switch (outcome.status) {
    case Status::Longer:
        return {kExitFile,
                StatusTexts::fileStatus(FileStage::BinaryTooLong, {}) +
                    detail(where, QString::number(outcome.fileSize) + QStringLiteral(" > ") + bytes)};
    case Status::Unreadable:
        return {kExitFile,
                StatusTexts::fileStatus(FileStage::CannotOpen, {}) + detail(where, outcome.reason)};
    case Status::Shorter:
        return {kExitOk,
                StatusTexts::fileStatus(FileStage::LoadedShorter, {}) +
                    detail(where, QString::number(outcome.fileSize) + QStringLiteral(" < ") + bytes)};
    case Status::Exact:
        break;
    }
    return {};
}

// Intel HEX or S-record: the same outcomes, so the same judgement.
FileResult judged(const HexLoadOutcome &outcome, const QString &where, size_t size, bool lenient)
{
    switch (outcome.status) {
    case HexLoadOutcome::Status::Complete:
        if (!outcome.damage.found())
            return {};
        // The window loads what can be read and says so; a script must ask for that.
        if (lenient)
            return {kExitOk, StatusTexts::fileDamageAlone(outcome.damage) +
                                 detail(where, CommandLine::tr("読める所まで読み込みました (--lenient)"))};
        return {
            kExitFile,
            StatusTexts::fileDamageAlone(outcome.damage) +
                detail(where, CommandLine::tr("読み込んでいません。--lenient で読める所まで読み込みます"))};
    case HexLoadOutcome::Status::DoesNotFit:
        return {kExitFile,
                StatusTexts::doesNotFitAlone() + detail(where, CommandLine::tr("%1 行目, 0x%2 >= 0x%3")
                                                                   .arg(outcome.line)
                                                                   .arg(outcome.address, 0, 16)
                                                                   .arg(qulonglong{size}, 0, 16))};
    case HexLoadOutcome::Status::Unreadable:
        break;
    }
    // Nothing read at all is a file that would not open; otherwise it broke off part way.
    if (outcome.line == 0)
        return {kExitFile,
                StatusTexts::fileStatus(FileStage::CannotOpen, {}) + detail(where, outcome.reason)};
    return {kExitFile,
            StatusTexts::unreadableAlone() +
                detail(where, CommandLine::tr("%1 行目, %2").arg(outcome.line).arg(outcome.reason))};
}

ImageFileRead readNamed(const QString &name, ImageFormat format, MemoryBuffer &buffer)
{
    if (name != kStandardStream)
        return readImageFile(name, format, buffer);
    QFile in;
    // Through the descriptor rather than stdio's FILE: no second buffer in between, and a read
    // that blocks is a plain read() that a signal interrupts under any runtime (a thread checker
    // holds a signal back while the thread is inside stdio).
    if (!in.open(fileno(stdin), QIODevice::ReadOnly))
        return {{FileRefusal::Kind::CannotOpen, in.errorString(), 0}, {}};
    return readImageFrom(in, format, buffer);
}

// "'x' の名前から形式が分かりません" names every suffix the table knows: ".hex, .ihx, …, .bin".
QString knownSuffixes()
{
    QStringList suffixes;
    for (const FileFormat &format : fileFormats())
        for (const QString &suffix : format.suffixes)
            suffixes << u'.' + suffix;
    const QString last = suffixes.takeLast();
    // The separators are texts of their own: English ends the list with "or".
    return CommandLine::tr("%1, %2", "the last of several choices")
        .arg(suffixes.join(CommandLine::tr(", ", "between choices")), last);
}

} // namespace

std::variant<ImageFormat, QString> formatOf(const QString &name, std::optional<ImageFormat> dashFormat)
{
    if (name == kStandardStream)
        return dashFormat.value_or(kDefaultImageFormat);
    if (const auto format = formatOfName(name, UnknownSuffix::Refused))
        return *format;
    return CommandLine::tr("'%1' の名前から形式が分かりません: %2 のどれかにしてください")
        .arg(name, knownSuffixes());
}

FileResult loadImage(const QString &name, ImageFormat format, int sizeExp, MemoryBuffer &buffer, bool lenient)
{
    MemoryBuffer loaded;
    loaded.recreate(sizeExp);
    const ImageFileRead read = readNamed(name, format, loaded);
    const QString where = displayName(name);
    FileResult result;
    if (read.refusal.refused())
        result = {kExitFile, StatusTexts::fileStatus(FileStage::CannotOpen, {}) +
                                 detail(where, StatusTexts::fileRefusal(read.refusal))};
    else // a reader with an outcome of a new kind does not compile without its judgement
        result =
            std::visit([&](const auto &outcome) { return judged(outcome, where, loaded.size(), lenient); },
                       read.outcome);
    if (result.ok())
        buffer = std::move(loaded);
    else
        buffer.recreate(sizeExp);
    return result;
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
    const QByteArray bytes = fileFormat(format).write(buffer);
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
