#include "cli/CliTexts.h"

#include "core/operations/FileTexts.h"
#include "core/programmer/LinkTexts.h"

#include <QLocale>
#include <algorithm>
#include <utility>
#include <vector>

namespace zelko6::cli {

Language chooseLanguage(std::optional<Language> chosen,
                        const std::function<QByteArray(const char *)> &environment)
{
    if (chosen)
        return *chosen;
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = environment(name);
        if (value.isEmpty())
            continue;
        // "ja_JP.UTF-8": QLocale wants the part before the code set.
        const QString locale = QString::fromLatin1(value).section(u'.', 0, 0).section(u'@', 0, 0);
        return QLocale(locale).language() == QLocale::Japanese ? Language::Japanese : Language::English;
    }
    return Language::English;
}

QString firstSentence(const QString &text)
{
    const qsizetype end = text.indexOf(u'。');
    return end < 0 ? text : text.left(end + 1);
}

namespace {

using Pair = std::pair<QString, QString>;

// Longest first: a text that begins another one (the check error and the check error with its
// count) must not take the other's place.
std::vector<Pair> sortedPieces()
{
    using namespace texts;
    std::vector<Pair> pieces = {
        {kTimeOutText, QStringLiteral("Time-out")},
        {kReadErrorSuffix, QStringLiteral(" - read error")},
        {kWriteErrorSuffix, QStringLiteral(" - write error")},
        {kReadingText, QStringLiteral("Reading.....")},
        {kReadDoneText, QStringLiteral("Read finished. (")},
        {kWritingText, QStringLiteral("Writing.....")},
        {kWriteDoneText, QStringLiteral("Write finished. (")},
        {kVerifyingText, QStringLiteral("Verifying.....")},
        {kVerifyErrorText, QStringLiteral("Verify error: the chip differs.")},
        {kVerifyDoneText, QStringLiteral("Write and verify finished without error. (")},
        {kCheckErrorCountOpen, QStringLiteral("Programmer connection check failed. [characters received: ")},
        {kCheckErrorCountClose, QStringLiteral("]")},
        {kCheckErrorText, QStringLiteral("Programmer connection check failed. ")},
        {kNotConnectedSuffix, QStringLiteral(" : programmer not connected")},
        {kOldFirmwareText, QStringLiteral("This firmware version cannot be used with ZELKO6. "
                                          "Please use firmware version 6 or later.")},
        {kPortUnusableText, QStringLiteral("The chosen port could not be used.")},
        {kRefusedAccessSize, QStringLiteral("Invalid access size (larger than the buffer, or 0 or less).")},
        {kRefusedAddress, QStringLiteral("No address is selected.")},
        {kRefusedBus, QStringLiteral("The device definition's bus type is invalid (2 or 3).")},
        {kRefusedPageSize, QStringLiteral("The device definition's page size is 0.")},
        {kRefusedAdrMode, QStringLiteral("The device definition's address mode is invalid (0 to 2).")},
        {kRefusedExtParam, QStringLiteral("The device definition's extra parameter is invalid (0 to 255).")},
        {kPortMissingReason, QStringLiteral("Port not found: ")},
        {kPortBusyReason, QStringLiteral("Port in use or access denied: ")},
        {kPortFailedReason, QStringLiteral("Cannot open the port: ")},
        {filetexts::kCannotOpen, QStringLiteral("The file could not be opened.")},
        {filetexts::kDoesNotFit, QStringLiteral("The file's data exceed the chip's capacity. "
                                                "Only the part that fits was loaded.")},
        {firstSentence(filetexts::kDoesNotFit),
         QStringLiteral("The file's data exceed the chip's capacity.")},
        {filetexts::kUnreadable, QStringLiteral("The file could not be read to its end. "
                                                "Only the part read is shown.")},
        {firstSentence(filetexts::kUnreadable), QStringLiteral("The file could not be read to its end.")},
        {filetexts::kBinaryTooLong,
         QStringLiteral("The file is larger than the chip, so it was not loaded.")},
        {filetexts::kBinaryShorter,
         QStringLiteral("File opened (the file is smaller than the chip: the rest is 0xFF)")},
        {filetexts::kNotSaved, QStringLiteral("The file could not be saved.")},
        {filetexts::kSaved, QStringLiteral("File saved. ")},
    };
    std::stable_sort(pieces.begin(), pieces.end(),
                     [](const Pair &a, const Pair &b) { return a.first.size() > b.first.size(); });
    return pieces;
}

} // namespace

QString englishOf(const QString &windowText)
{
    static const std::vector<Pair> pieces = sortedPieces();
    QString out;
    qsizetype at = 0;
    // Left to right, taking the longest piece that starts here: an English piece already put in
    // is never looked at again.
    while (at < windowText.size()) {
        const auto match = std::find_if(pieces.begin(), pieces.end(), [&](const Pair &p) {
            return QStringView(windowText).mid(at).startsWith(p.first);
        });
        if (match == pieces.end()) {
            out += windowText[at++];
            continue;
        }
        out += match->second;
        at += match->first.size();
    }
    return out;
}

QString inLanguage(Language language, const QString &windowText)
{
    return language == Language::Japanese ? windowText : englishOf(windowText);
}

} // namespace zelko6::cli
