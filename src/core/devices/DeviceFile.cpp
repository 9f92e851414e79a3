#include "core/devices/DeviceFile.h"

#include "core/text/CodePage932.h"

#include <QFile>

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

DeviceFileContents parseDeviceFile(const QByteArray &bytes)
{
    DeviceFileContents contents;
    for (const QString &raw : splitLines(decodeCp932(bytes))) {
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
