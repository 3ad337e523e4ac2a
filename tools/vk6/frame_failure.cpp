#include "frame_failure.h"

namespace vk6tool {

std::string describeFailure(const XQMPI_ErrorReport& report, const char* why) {
    std::string text = why;
    if (report.pieceShape != 0) {
        text += " (" + std::to_string(report.pieceShape / 10) + "x" + std::to_string(report.pieceShape % 10) +
                " piece " + std::to_string(report.pieceIndex) + ")";
    }
    if (report.x < 0) return text;
    return "block at (" + std::to_string(report.x) + ", " + std::to_string(report.y) + "): " + text;
}

}  // namespace vk6tool
