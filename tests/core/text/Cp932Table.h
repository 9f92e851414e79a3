#pragma once
// Code page 932 as this platform's conversion sees it, written out as a table: what every single
// byte and every lead/trail pair decodes to, and what every character of the Basic Multilingual
// Plane encodes to. The committed cp932.table is the Linux build's (scripts/cp932-table.sh makes
// it anew); a build on another platform compares its own conversion with it.

#include <QString>
#include <QStringList>

namespace zelko6::test {

QString codePage932Table();

// Where this platform's conversion differs from `table`: one line per row of the decoding, per
// character of the encoding, "[section] key: Linux ..., here ...".
QStringList codePage932Differences(const QString &table);

} // namespace zelko6::test
