#pragma once
// The window's shape, read from the hit map.

#include <vector>

#include "setup/skin/surface.h"

namespace setup {

// Columns x0 .. x1 - 1 of row y, all inside the shape.
struct RowRun {
    int y = 0;
    int x0 = 0;
    int x1 = 0;
    bool operator==(const RowRun&) const = default;
};

// Every maximal run of non-key pixels, rows from the top, each row from the
// left; a run ends at a key pixel or at the end of its row. Empty when the hit
// map has no pixel inside the shape (the window then gets no region).
std::vector<RowRun> buildWindowRegion(const Surface& hitMap);

}  // namespace setup
