#include "Cp932Table.h"

#include "core/text/CodePage932.h"

#include <QHash>
#include <QMap>

namespace zelko6::test {

namespace {

const QString kDecode = QStringLiteral("[decode]");
const QString kDecodeCut = QStringLiteral("[decode cut]");
const QString kEncode = QStringLiteral("[encode]");
const QString kEncodeAny = QStringLiteral("[encode any]");
const QString kNoCode = QStringLiteral("-");

// The lead bytes of the double-byte characters; a trail byte follows from 0x40.
bool isLead(int byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

QString hexBytes(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex().toUpper());
}

// "3042", or "FFFD+0020" for a text of two characters, "" for none. A lone surrogate is shown as
// itself.
QString codePoints(const QString &text)
{
    QStringList points;
    for (qsizetype i = 0; i < text.size(); ++i) {
        uint point = text.at(i).unicode();
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            point = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        points << QStringLiteral("%1").arg(point, 4, 16, QLatin1Char('0')).toUpper();
    }
    return points.join(u'+');
}

QString encoded(const std::optional<QByteArray> &bytes)
{
    return bytes ? hexBytes(*bytes) : kNoCode;
}

// Every row of 16 single bytes or lead/trail pairs, in the table's order: the first one's bytes.
QList<QByteArray> rowStarts()
{
    QList<QByteArray> starts;
    for (int first = 0x00; first <= 0xF0; first += 16)
        starts << QByteArray(1, char(first));
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!isLead(lead))
            continue;
        for (int first = 0x40; first <= 0xF0; first += 16)
            starts << QByteArray(1, char(lead)) + char(first);
    }
    return starts;
}

// The 16 byte sequences of a row.
QList<QByteArray> rowSequences(const QByteArray &start)
{
    QList<QByteArray> sequences;
    for (int i = 0; i < 16; ++i) {
        QByteArray bytes = start;
        bytes.back() = char(static_cast<uint8_t>(start.back()) + i);
        sequences << bytes;
    }
    return sequences;
}

// A lead byte that ends the text, or is followed by a byte below 0x40.
const QList<QByteArray> kCutSequences{QByteArray("\x81"), QByteArray("\x81\x20"), QByteArray("\x9f\x0a"),
                                      QByteArray("\xe0\x3f"), QByteArray("\xfc\x00", 2)};

// Texts with characters that have no code: what encodeCp932 puts in their place.
const QStringList kUnmappableTexts{QStringLiteral("\u00e9"), QStringLiteral("a\u20acb"),
                                   QStringLiteral("\U0001F600"), QString(QChar(char16_t(0xD800))),
                                   QStringLiteral("\u3042\u00e9\uff71")};

// The row's characters for a reader; a cell that is not one printable character shows as "_".
QString glyphs(const QStringList &texts)
{
    QString out;
    for (const QString &text : texts) {
        const bool printable =
            text.size() == 1 && text.at(0).isPrint() && text.at(0) != QChar::ReplacementCharacter;
        out += printable ? text : QStringLiteral("_");
    }
    return out;
}

// Each BMP character outside the surrogates, as a text of one.
template <typename Visit> void forEveryCharacter(Visit visit)
{
    for (char32_t point = 0; point <= 0xFFFF; ++point) {
        if (point < 0xD800 || point > 0xDFFF)
            visit(QString(QChar(char16_t(point))));
    }
}

// A table read back: "[section] key" -> value, without the row's text after "#".
QMap<QString, QString> entries(const QString &table)
{
    QMap<QString, QString> out;
    QString section;
    for (const QString &line : table.split(u'\n')) {
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            section = line;
            continue;
        }
        out.insert(section + u' ' + line.section(QStringLiteral(": "), 0, 0),
                   line.section(QStringLiteral(": "), 1).section(QStringLiteral("  #"), 0, 0));
    }
    return out;
}

// What each single character of a decode table came from: every cell of one code point.
QHash<QString, QStringList> decodedFrom(const QMap<QString, QString> &table)
{
    QHash<QString, QStringList> from;
    for (const QByteArray &start : rowStarts()) {
        const QStringList cells = table.value(kDecode + u' ' + hexBytes(start)).split(u' ');
        const QList<QByteArray> sequences = rowSequences(start);
        for (qsizetype i = 0; i < cells.size() && i < sequences.size(); ++i) {
            if (!cells.at(i).isEmpty() && !cells.at(i).contains(u'+'))
                from[cells.at(i)] << hexBytes(sequences.at(i));
        }
    }
    return from;
}

// This platform's decode rows, "[decode] first: cells".
QMap<QString, QString> decodeRows(QStringList *glyphRows = nullptr)
{
    QMap<QString, QString> rows;
    for (const QByteArray &start : rowStarts()) {
        QStringList cells, texts;
        for (const QByteArray &bytes : rowSequences(start)) {
            const QString text = decodeCp932(bytes);
            cells << codePoints(text);
            texts << text;
        }
        rows.insert(hexBytes(start), cells.join(u' '));
        if (glyphRows)
            *glyphRows << glyphs(texts);
    }
    return rows;
}

} // namespace

QString codePage932Table()
{
    QStringList lines{
        QStringLiteral("# Code page 932: the program's decodeCp932 and encodeCp932Exactly on Linux (ICU's "
                       "windows-31j)."),
        QStringLiteral(
            "# Made by scripts/cp932-table.sh; every platform's build compares its own conversion with it."),
        QStringLiteral(
            "# [decode]: a row of 16 single bytes or lead/trail pairs, the first one's bytes, then the"),
        QStringLiteral("# code points each decodes to (\"+\" between two, nothing for none); after \"#\" the "
                       "row as text."),
        kDecode,
    };
    QStringList glyphRows;
    const QMap<QString, QString> rows = decodeRows(&glyphRows);
    qsizetype row = 0;
    for (const QByteArray &start : rowStarts())
        lines << hexBytes(start) + QStringLiteral(": ") + rows.value(hexBytes(start)) +
                     QStringLiteral("  # ") + glyphRows.at(row++);

    lines << QStringLiteral(
                 "# [decode cut]: a lead byte that ends the text or is followed by a byte below 0x40.")
          << kDecodeCut;
    for (const QByteArray &bytes : kCutSequences)
        lines << hexBytes(bytes) + QStringLiteral(": ") + codePoints(decodeCp932(bytes));

    lines
        << QStringLiteral(
               "# [encode]: a character's exact encoding (\"-\": none), where it is not the one byte or pair")
        << QStringLiteral(
               "# that [decode] gives it: an unlisted character encodes to the only cell that decodes to")
        << QStringLiteral("# it, and a character no cell decodes to has no code.") << kEncode;
    QMap<QString, QString> decodeTable;
    for (auto it = rows.begin(); it != rows.end(); ++it)
        decodeTable.insert(kDecode + u' ' + it.key(), it.value());
    const QHash<QString, QStringList> from = decodedFrom(decodeTable);
    forEveryCharacter([&](const QString &text) {
        const QString exact = encoded(encodeCp932Exactly(text));
        const QStringList sources = from.value(codePoints(text));
        const QString implied = sources.size() == 1 ? sources.front() : kNoCode;
        if (sources.size() > 1 || exact != implied)
            lines << codePoints(text) + QStringLiteral(": ") + exact;
    });

    lines << QStringLiteral("# [encode any]: texts with characters that have no code, through encodeCp932.")
          << kEncodeAny;
    for (const QString &text : kUnmappableTexts)
        lines << codePoints(text) + QStringLiteral(": ") + hexBytes(encodeCp932(text));
    return lines.join(u'\n') + u'\n';
}

QStringList codePage932Differences(const QString &table)
{
    const QMap<QString, QString> linux = entries(table);
    QStringList differences;
    const auto compare = [&](const QString &key, const QString &here) {
        const QString there = linux.value(key, QStringLiteral("(absent)"));
        if (there != here)
            differences << key + QStringLiteral(": Linux ") + there + QStringLiteral(", here ") + here;
    };

    const QMap<QString, QString> rows = decodeRows();
    for (auto it = rows.begin(); it != rows.end(); ++it)
        compare(kDecode + u' ' + it.key(), it.value());
    for (const QByteArray &bytes : kCutSequences)
        compare(kDecodeCut + u' ' + hexBytes(bytes), codePoints(decodeCp932(bytes)));

    // Every character's encoding as the Linux table implies it, against this platform's.
    const QHash<QString, QStringList> from = decodedFrom(linux);
    forEveryCharacter([&](const QString &text) {
        const QString key = kEncode + u' ' + codePoints(text);
        const QStringList sources = from.value(codePoints(text));
        const QString implied = linux.value(key, sources.size() == 1 ? sources.front() : kNoCode);
        const QString here = encoded(encodeCp932Exactly(text));
        if (implied != here)
            differences << key + QStringLiteral(": Linux ") + implied + QStringLiteral(", here ") + here;
    });
    for (const QString &text : kUnmappableTexts)
        compare(kEncodeAny + u' ' + codePoints(text), hexBytes(encodeCp932(text)));
    return differences;
}

} // namespace zelko6::test
