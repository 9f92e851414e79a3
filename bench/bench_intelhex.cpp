// Intel HEX and S-record load and save of a 128 KiB image (the largest chip), through real files,
// plus the in-memory text work alone, two hostile inputs (a multi-megabyte file and a multi-megabyte
// line) and the longest file the read bound lets through, read as the window reads it. Prints the
// best and median of several runs; the goals are 20 ms or less for each of Intel HEX load and save,
// 5 ms or less for each of S-record load and save.

#include "core/files/ImageFile.h"
#include "core/files/IntelHex.h"
#include "core/files/LongestFiles.h"
#include "core/files/SRecord.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

using namespace zelko6;

namespace {

constexpr int kRuns = 21;

void report(const char *what, const std::function<void()> &work)
{
    std::vector<double> ms;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s best %8.3f ms   median %8.3f ms   (%d runs)\n", what, ms.front(), ms[ms.size() / 2],
                kRuns);
}

struct Format {
    ImageFormat format;
    QByteArray (*longest)(const MemoryBuffer &);
    const char *name;
    const char *fileName;
    QByteArray (*text)(const MemoryBuffer &);
    SaveOutcome (*save)(const MemoryBuffer &, const QString &);
    HexLoadOutcome (*load)(const QString &, MemoryBuffer &);
    HexLoadOutcome (*read)(QByteArrayView, MemoryBuffer &);
    // The start of a record whose data digits run on for megabytes.
    const char *longRecord;
};

const Format kFormats[] = {
    {ImageFormat::IntelHex, test::longestIntelHex, "Intel HEX", "image.hex", intelHexText, saveIntelHex,
     loadIntelHex, readIntelHex, ":10000000"},
    {ImageFormat::SRecord, test::longestSRecord, "S-record", "image.s28", sRecordText, saveSRecord,
     loadSRecord, readSRecord, "S3FF00000000"},
};

bool measure(const Format &format, const MemoryBuffer &image, const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QString::fromLatin1(format.fileName));
    bool allOk = format.save(image, path).saved;

    std::printf("\n%s, 128 KiB image, random contents (%lld bytes of text)\n", format.name,
                static_cast<long long>(format.text(image).size()));
    report("save to file (text + atomic write)", [&] { allOk &= format.save(image, path).saved; });
    MemoryBuffer loaded;
    report("load from file (re-create + read)", [&] {
        loaded.recreate(17);
        const HexLoadOutcome outcome = format.load(path, loaded);
        allOk &= outcome.complete() && !outcome.damage.found();
    });
    allOk &= std::equal(loaded.data(), loaded.data() + loaded.size(), image.data());

    QByteArray text;
    report("text only: build", [&] { text = format.text(image); });
    // The rest of a save is the disk's: the synced temporary file and the rename over the old one.
    report("atomic write alone (the same text)", [&] { allOk &= saveFileAtomically(path, text).saved; });
    report("text only: read", [&] {
        loaded.recreate(17);
        allOk &= format.read(text, loaded).complete();
    });

    // 24 copies of the image's records: about 9 MB and 200000 lines, all of which fit.
    QByteArray big;
    for (int i = 0; i < 24; ++i)
        big += text;
    report("text only: read a 9 MB file", [&] {
        loaded.recreate(17);
        allOk &= format.read(big, loaded).complete();
    });
    const QByteArray longLine = format.longRecord + QByteArray(16 * 1024 * 1024, '5') + "\r\n";
    report("text only: read one 16 MB line", [&] {
        loaded.recreate(17);
        allOk &= format.read(longLine, loaded).complete();
    });

    // Every byte in a record of its own, filled with lines without data up to the bound: the
    // longest file the window reads at all, and so the longest it is held by a load.
    const int64_t limit = longestImageFile(format.format, image.size());
    QByteArray longest = format.longest(image);
    longest += QByteArray(limit - longest.size() - 2, ' ') + "\r\n";
    const QString longestPath = dir.filePath(QStringLiteral("longest"));
    allOk &= saveFileAtomically(longestPath, longest).saved;
    std::printf("the longest file the bound lets through: %lld bytes\n", static_cast<long long>(limit));
    report("longest file: load as the window does", [&] {
        loaded.recreate(17);
        const ImageFileRead read = readImageFile(longestPath, format.format, loaded);
        allOk &= !read.refusal.refused() && std::get<HexLoadOutcome>(read.outcome).complete();
    });
    allOk &= std::equal(loaded.data(), loaded.data() + loaded.size(), image.data());
    return allOk;
}

} // namespace

int main()
{
    MemoryBuffer image;
    image.recreate(17);
    std::mt19937 random(42);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = uint8_t(random());

    QTemporaryDir dir;
    bool allOk = true;
    for (const Format &format : kFormats)
        allOk &= measure(format, image, dir);

    std::printf("\n%s\n", allOk ? "all runs completed" : "SOME RUNS FAILED");
    return allOk ? 0 : 1;
}
