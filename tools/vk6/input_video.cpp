#include "tools/vk6/input_video.h"

#include <stdexcept>

#include "media/png_sequence.h"
#include "media/y4m_reader.h"
#include "stream/stream_format.h"
#include "tools/cli/failure.h"

namespace vk6 {

std::unique_ptr<media::FrameSource> openInputVideo(const std::string& input, support::FrameRate pngRate) {
    std::unique_ptr<media::FrameSource> source;
    if (input.find('%') == std::string::npos) {
        source = std::make_unique<media::Y4mReader>(input);
    } else {
        try {
            source = std::make_unique<media::PngSequenceReader>(input, pngRate);
        } catch (const std::invalid_argument& error) {
            cli::failUsage(error.what());
        }
    }
    if (source->width() != format::kPictureWidth)
        cli::failInput(input + ": pictures " + std::to_string(source->width()) + " pixels wide, a stream's are " +
                       std::to_string(format::kPictureWidth));
    stream::StreamInfo info;
    info.height = source->height() > stream::kMaxHeight ? 0 : uint16_t(source->height());
    info.rate = source->rate();
    if (auto problem = stream::findInfoProblem(info))
        cli::failInput(input + ": " + std::to_string(source->height()) + " rows: a stream's " + *problem);
    return source;
}

}  // namespace vk6
