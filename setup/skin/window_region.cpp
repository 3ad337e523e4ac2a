#include "setup/skin/window_region.h"

#include "setup/skin/controls.h"

namespace setup {

std::vector<RowRun> buildWindowRegion(const Surface& hitMap) {
    std::vector<RowRun> runs;
    for (int y = 0; y < hitMap.height; ++y) {
        int x = 0;
        while (x < hitMap.width) {
            while (x < hitMap.width && hitMap.at(x, y) == kKeyColour) ++x;
            const int start = x;
            while (x < hitMap.width && hitMap.at(x, y) != kKeyColour) ++x;
            if (x > start) runs.push_back(RowRun{y, start, x});
        }
    }
    return runs;
}

}  // namespace setup
