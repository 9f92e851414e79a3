// Start-up, chip selection, full grid refresh and one byte edit on the largest buffer, through the
// real main window (offscreen platform unless a display is given).

#include "BenchSupport.h"
#include "gui/ByteEditorPanel.h"
#include "gui/MainWindow.h"

#include <QLineEdit>
#include <cstdio>
#include <sys/resource.h>

using namespace zelko6;
using bench::report;
using bench::timeRuns;

int main(int argc, char **argv)
{
    return bench::withProgram(argc, argv, [](Application &app, double startupMs) {
        std::printf("%-46s %8.3f ms  (goal <= 300 ms)\n", "start-up to the main window shown", startupMs);

        MainWindow &main = *app.mainWindow();
        const int largest = bench::largestChipEntry(main);
        report("select the 128 KiB chip (end to end)",
               timeRuns(9, [&](int i) { main.selectDevice(i % 2 ? 0 : largest); }), 100);
        main.selectDevice(largest);
        if (app.state().BufData.size() != (1u << 17))
            return 2;
        report("RefreshGrid of 2^17 bytes (grid, dump, checksum)",
               timeRuns(15, [&](int) { main.RefreshGrid(); }), 50);

        auto *hex = main.findChild<QLineEdit *>(QStringLiteral("Text_modify_hex"));
        main.editor().MSFGrid1_Click();
        report(
            "one byte edit through the hex box (checksum incl.)",
            timeRuns(200, [&](int i) { hex->setText(i % 2 ? QStringLiteral("12") : QStringLiteral("A5")); }),
            2);

        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("%-46s %8.1f MiB  (goal <= 80 MiB)\n", "peak resident memory with the largest chip",
                    static_cast<double>(usage.ru_maxrss) / 1024.0);
        return 0;
    });
}
