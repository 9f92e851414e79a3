// Writes this platform's code page 932 table (Cp932Table.h) to OUTPUT, or with --differences TABLE
// where this platform differs from that table.
// Usage: cp932-table [--differences TABLE] OUTPUT

#include "Cp932Table.h"

#include <QFile>
#include <cstdio>

int main(int argc, char **argv)
{
    const bool differencesOnly = argc == 4 && QByteArray(argv[1]) == "--differences";
    if (argc != 2 && !differencesOnly) {
        std::fputs("usage: cp932-table [--differences TABLE] OUTPUT\n", stderr);
        return 1;
    }
    QString text = zelko6::test::codePage932Table();
    if (differencesOnly) {
        QFile table(QString::fromLocal8Bit(argv[2]));
        if (!table.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", argv[2]);
            return 1;
        }
        const QStringList differences =
            zelko6::test::codePage932Differences(QString::fromUtf8(table.readAll()));
        text = differences.isEmpty() ? QString() : differences.join(u'\n') + u'\n';
    }
    QFile out(QString::fromLocal8Bit(argv[argc - 1]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(text.toUtf8()) < 0) {
        std::fprintf(stderr, "cannot write %s\n", argv[argc - 1]);
        return 1;
    }
    return 0;
}
