#pragma once

#include <gtest/gtest.h>

#include "ui/ledgertable.h"

namespace zm::test {

// Two tables hold the same rows (kind, value and shown text of every cell)
// and stand at the same top row and current row.
inline void expectSameTable(const LedgerTable& got, const LedgerTable& want) {
    ASSERT_EQ(got.recordCount(), want.recordCount()) << got.name();
    ASSERT_EQ(got.columns().size(), want.columns().size()) << got.name();
    for (int r = 1; r <= want.recordCount(); ++r) {
        for (int c = 0; c < static_cast<int>(want.columns().size()); ++c) {
            EXPECT_EQ(got.kind(r, c), want.kind(r, c)) << "row " << r << ", column " << c;
            EXPECT_EQ(got.text(r, c), want.text(r, c)) << "row " << r << ", column " << c;
            EXPECT_EQ(got.value(r, c), want.value(r, c)) << "row " << r << ", column " << c;
        }
    }
    EXPECT_EQ(got.topRow(), want.topRow()) << got.name();
    EXPECT_EQ(got.currentRow(), want.currentRow()) << got.name();
}

}  // namespace zm::test
