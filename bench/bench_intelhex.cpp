// Intel HEX load and save of a 128 KiB image (the largest chip), through real files, plus the
// in-memory text work alone and two hostile inputs: a multi-megabyte file and a multi-megabyte line.
// Prints the best and median of several runs; the goal is 20 ms or less for each of load and save.

#include "core/files/IntelHex.h"

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

} // namespace

int main()
{
    MemoryBuffer image;
    image.recreate(17);
    std::mt19937 random(42);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = uint8_t(random());

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("image.hex"));
    bool allOk = saveIntelHex(image, path).saved;

    std::printf("Intel HEX, 128 KiB image, random contents (%lld bytes of text)\n",
                static_cast<long long>(intelHexText(image).size()));
    report("save to file (text + atomic write)", [&] { allOk &= saveIntelHex(image, path).saved; });
    MemoryBuffer loaded;
    report("load from file (re-create + read)", [&] {
        loaded.recreate(17);
        allOk &= loadIntelHex(path, loaded).complete();
    });
    allOk &= std::equal(loaded.data(), loaded.data() + loaded.size(), image.data());

    QByteArray text;
    report("text only: build", [&] { text = intelHexText(image); });
    report("text only: read", [&] {
        loaded.recreate(17);
        allOk &= readIntelHex(text, loaded).complete();
    });

    // 24 copies of the image's records: about 8.9 MB and 200000 lines, all of which fit.
    QByteArray big;
    for (int i = 0; i < 24; ++i)
        big += text;
    report("text only: read a 9 MB file", [&] {
        loaded.recreate(17);
        allOk &= readIntelHex(big, loaded).complete();
    });
    const QByteArray longLine = ":10000000" + QByteArray(16 * 1024 * 1024, '5') + "\r\n";
    report("text only: read one 16 MB line", [&] {
        loaded.recreate(17);
        allOk &= readIntelHex(longLine, loaded).complete();
    });

    std::printf("%s\n", allOk ? "all runs completed" : "SOME RUNS FAILED");
    return allOk ? 0 : 1;
}
