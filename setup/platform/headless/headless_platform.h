#pragma once
// The in-memory backend: fatal stops become exceptions that a test or a tool
// catches, resources come from the copies embedded in the build, the clock is
// set by the caller, files are the host's files.

#include <stdexcept>
#include <vector>

#include "setup/system/platform.h"

namespace setup {

// Thrown where the real program would show its fatal box and end.
struct FatalStop : std::runtime_error {
    explicit FatalStop(const FatalBox& b) : std::runtime_error(b.text), box(b) {}
    FatalBox box;
};

class HeadlessPlatform : public Platform {
public:
    [[noreturn]] void fatalStop(const FatalBox& box) override;
    bool loadBitmap(int id, BitmapBits& out) override;
    bool loadText(int id, std::string& out) override;
    std::uint32_t processMilliseconds() override { return clockMs; }

    std::vector<FatalBox> fatalBoxes;  // every box shown, in order
    std::uint32_t clockMs = 0;         // what the process clock reads

protected:
    bool moveReplacing(const std::string& from, const std::string& to) override;
};

}  // namespace setup
