#include "core/devices/DeviceFile.h"

#include "core/base/PathKind.h"
#include "core/text/CodePage932.h"

#include <QFile>
#include <QStringDecoder>
#include <algorithm>

namespace zelko6 {

QString ExpandTabs(const QString &text)
{
    QString out = text;
    return out.replace(u'\t', QString(8, u' '));
}

// Only the space counts as blank here, as in the file's own definition of a word.
static QStringView trimSpaces(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin);
}

QStringList SplitWords(const QString &text)
{
    QString line = text;
    if (const qsizetype eq = line.indexOf(u'='); eq >= 0)
        line.replace(eq, 1, QStringLiteral(" = "));
    QStringList words;
    QStringView rest = trimSpaces(line);
    while (!rest.isEmpty() && words.size() < kMaxWordsPerLine) {
        const qsizetype space = rest.indexOf(u' ');
        words << (space < 0 ? rest : rest.left(space)).toString();
        rest = space < 0 ? QStringView() : trimSpaces(rest.mid(space));
    }
    return words;
}

static QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r')
            continue;
        lines << text.mid(start, i - start);
        if (i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

QString decodeDeviceFile(const QByteArray &bytes)
{
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return uint8_t(c) < 0x80; });
    if (!ascii) {
        // Stateless, so that a sequence cut off at the end is an error too; a BOM is dropped.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8.decode(bytes);
        if (!utf8.hasError())
            return text;
    }
    return decodeCp932(bytes);
}

DeviceFileContents parseDeviceFile(const QByteArray &bytes)
{
    DeviceFileContents contents;
    for (const QString &raw : splitLines(decodeDeviceFile(bytes))) {
        QString line = trimSpaces(ExpandTabs(raw)).toString();
        if (line.contains(QStringLiteral("Ver"))) {
            contents.DefFileVer = line;
            continue;
        }
        if (line.contains(u';') || line.isEmpty())
            continue;
        if (contents.DeviceCount < kDeviceRows) {
            const QStringList words = SplitWords(line);
            DeviceRecord &record = contents.table.rows[static_cast<size_t>(contents.DeviceCount)];
            for (qsizetype w = 0; w < words.size() && w < kStoredWords; ++w)
                record[static_cast<size_t>(w)] = words[w];
        }
        ++contents.DeviceCount;
    }
    return contents;
}

DeviceFileContents readDeviceFile(const QString &path)
{
    // A FIFO without a writer would hold the start for good, and a device such as /dev/zero would
    // never end: only a regular file is read.
    if (pathKindOf(path) != PathKind::RegularFile)
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parseDeviceFile(file.readAll());
}

QString deviceListEntry(const DeviceRecord &record)
{
    QString name = record[kColName];
    if (name.size() < 9)
        name = name.leftJustified(9, u' ');
    return name + record[kColLabel];
}

} // namespace zelko6
