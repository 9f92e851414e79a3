// The buffer tools on the largest buffer, through the real main window: a search that must scan
// all 128 KiB, a fill of the whole buffer shown in the grid (cells, characters, checksum, dump,
// editor, and the repaint that follows), and the undo of that fill.

#include "BenchSupport.h"
#include "core/buffer/BufferScan.h"
#include "gui/BufferTools.h"
#include "gui/MainWindow.h"

#include <QCoreApplication>
#include <cstdio>
#include <random>

using namespace zelko6;
using bench::report;
using bench::timeRuns;

int main(int argc, char **argv)
{
    return bench::withProgram(argc, argv, [](Application &app, double) {
        MainWindow &main = *app.mainWindow();
        main.show();
        main.selectDevice(bench::largestChipEntry(main));
        MemoryBuffer &buffer = app.state().BufData;
        if (buffer.size() != (1u << 17))
            return 2;

        std::mt19937 random(15);
        for (auto &b : buffer.bytes())
            b = static_cast<uint8_t>(random());
        main.RefreshGrid();
        // Sixteen bytes that are nowhere in the buffer: every search scans all of it and goes round.
        std::vector<uint8_t> absent(16);
        do {
            for (auto &b : absent)
                b = static_cast<uint8_t>(random());
        } while (findBytes(buffer.bytes(), absent, 0, SearchDirection::Forward));
        report("find 16 absent bytes in 2^17 (core search)",
               timeRuns(51,
                        [&](int i) {
                            findBytes(buffer.bytes(), absent, i * 997,
                                      i % 2 ? SearchDirection::Backward : SearchDirection::Forward);
                        }),
               10);
        BufferTools &tools = main.bufferTools();
        report("find 16 absent bytes in 2^17 (window, panel 1)",
               timeRuns(51,
                        [&](int i) {
                            tools.find(absent, i % 2 ? SearchDirection::Backward : SearchDirection::Forward,
                                       true);
                        }),
               10);

        // Each run fills anew and takes it back, so every fill and every undo has the same work.
        std::vector<double> fills, undos;
        for (int i = 0; i < 15; ++i) {
            const std::vector<uint8_t> pattern{static_cast<uint8_t>(i), 0x20, 0x41};
            fills.push_back(timeRuns(1, [&](int) {
                                tools.fill(ByteRange{0, 1 << 17}, pattern);
                                QCoreApplication::processEvents(); // the grid repaints
                            }).front());
            undos.push_back(timeRuns(1, [&](int) {
                                tools.history().undo();
                                QCoreApplication::processEvents();
                            }).front());
        }
        std::sort(fills.begin(), fills.end());
        std::sort(undos.begin(), undos.end());
        report("fill all 2^17 bytes (grid, checksum, dump)", fills, 50);
        report("undo of that fill", undos, 50);
        tools.fill(ByteRange{0, 1 << 17}, {0x5A});
        std::printf("%-46s %8zu bytes\n", "history kept for one whole-buffer fill", tools.historyBytes());
        return 0;
    });
}
