// The wavefront runs every item once, each after the one to its left and
// after the row above has got `lead` items further, and a thrown exception
// stops the run and reaches the caller instead of leaving threads waiting.

#include "encoder/wavefront.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <stdexcept>

namespace encoder {
namespace {

TEST(WavefrontTest, ItemsWaitForTheirLeftNeighbourAndTheRowAbove) {
    constexpr int kColumns = 10, kLead = 3;
    for (int rows : {1, 3, 9})
        for (int workers : {1, 2, 3, 4}) {
            // When each item ran, by a clock all threads share; 0 until it has.
            const auto stamps = std::make_unique<std::atomic<int>[]>(size_t(rows) * kColumns);
            std::atomic<int> clock{0}, misplaced{0};
            const auto stamp = [&](int row, int column) { return stamps[size_t(row) * kColumns + column].load(); };
            Wavefront wavefront(rows, kColumns, kLead);
            wavefront.run(workers, [&](int worker, int row, int column) {
                const bool leftDone = column == 0 || stamp(row, column - 1) != 0;
                const bool aboveDone = row == 0 || stamp(row - 1, std::min(kColumns, column + kLead) - 1) != 0;
                const bool repeated = stamp(row, column) != 0;
                if (!leftDone || !aboveDone || repeated || worker < 0 || worker >= workers) ++misplaced;
                stamps[size_t(row) * kColumns + column] = ++clock;
            });
            EXPECT_EQ(misplaced, 0) << rows << " rows, " << workers << " workers";
            EXPECT_EQ(clock, rows * kColumns) << rows << " rows, " << workers << " workers";
        }
}

TEST(WavefrontTest, AThrownExceptionStopsTheRunAndReachesTheCaller) {
    for (int workers : {1, 2, 4}) {
        Wavefront wavefront(8, 10, 3);
        std::atomic<int> belowTheFailure{0};
        const auto item = [&](int, int row, int column) {
            if (row == 5 && column == 2) throw std::runtime_error("item (5, 2)");
            if (row > 5) ++belowTheFailure;
        };
        try {
            wavefront.run(workers, item);
            ADD_FAILURE() << "no exception";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "item (5, 2)");
        }
        // Row 6 never got its lead over the unfinished row 5.
        EXPECT_EQ(belowTheFailure, 0);
    }
}

TEST(WavefrontTest, NoMoreWorkersThanRowsCanBeUnderWay) {
    EXPECT_EQ(Wavefront(60, 80, 16).usefulWorkers(64), 5);
    EXPECT_EQ(Wavefront(60, 10, 3).usefulWorkers(64), 4);
    EXPECT_EQ(Wavefront(60, 80, 16).usefulWorkers(2), 2);
    EXPECT_EQ(Wavefront(1, 80, 16).usefulWorkers(4), 1);
    EXPECT_EQ(Wavefront(3, 80, 16).usefulWorkers(4), 3);
}

}  // namespace
}  // namespace encoder
