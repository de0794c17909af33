#pragma once

#include <QtTest>

#include <string>

namespace tallix::testing {

// One data row per entry of a table whose rows carry a name, fetched as "row".
template <typename Row, int N> void AddTableRows(const Row (&rows)[N]) {
    QTest::addColumn<int>("row");
    for (int i = 0; i < N; ++i) {
        QTest::newRow(std::string(rows[i].name).c_str()) << i;
    }
}

// The entry of that table the running data row stands for.
template <typename Row, int N> const Row& TableRow(const Row (&rows)[N]) {
    QFETCH(int, row);
    return rows[row];
}

} // namespace tallix::testing
