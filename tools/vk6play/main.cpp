// vk6play.exe: plays an XQM6 stream file. It loads VK6_640x16.dll by name, as
// the game does, and decodes every frame through a decoder handle of its own
// into two alternating pictures, shown at the file's rate until the end or
// Escape. A damaged frame shows the previous picture from its failed block on,
// and a line on standard error and in the debugger's output says where and why.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "decoder/interface/frame_sequence.h"
#include "format/decode_errors.h"
#include "media/picture_sinks.h"
#include "stream/stream_reader.h"
#include "support/file_names.h"
#include "tools/cli/arguments.h"
#include "tools/cli/console.h"
#include "tools/cli/failure.h"
#include "tools/cli/tool.h"
#include "tools/vk6play/decoder_dll.h"
#include "tools/vk6play/video_window.h"

namespace {

constexpr std::string_view kHelp =
    "Usage: vk6play [FILE] [--framemd5 OUT]\n"
    "Plays an XQM6 stream file in a window through VK6_640x16.dll, as the game\n"
    "does; Escape or the end of the video closes it. Without FILE it plays\n"
    "intro.xqm from its own folder.\n"
    "\n"
    "      --framemd5 OUT  write the frames' checksums (as vk6 decode does)\n"
    "                      instead of showing them; '-' for standard output\n"
    "  -h, --help          show this help\n"
    "      --version       show the version\n"
    "\n"
    "Exit codes: 0 done, 1 bad input, 2 usage error, 3 a file or the library\n"
    "cannot be loaded, read or written.\n";

constexpr cli::OptionSpec kOptions[] = {{"--framemd5", 0, true}};

std::string besideProgram(const char* name) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return support::utf8Name(std::filesystem::path(std::wstring(path, length)).replace_filename(name));
}

// The whole video.
void play(const std::string& file, const std::string& framemd5) {
    stream::StreamReader reader = stream::StreamReader::openFile(file);
    const stream::StreamInfo& info = reader.info();

    vk6play::DecoderDll dll;
    if (!dll.loaded()) cli::failIo(dll.error());
    decoder::FrameSequence sequence(dll.functions(), info.pixelType, info.height);
    if (sequence.refused())
        cli::failInput(file + ": the decoder refuses pixel type " + std::to_string(info.pixelType) + " at height " +
                       std::to_string(info.height));

    std::unique_ptr<media::PictureSink> checksums;
    std::unique_ptr<vk6play::VideoWindow> window;
    if (!framemd5.empty())
        checksums =
            media::openSink(media::OutputFormat::FrameMd5, framemd5, info, "vk6 " + std::string(cli::version()));
    else
        window = std::make_unique<vk6play::VideoWindow>(info.pixelType, info.height, "Orvane");

    std::vector<uint8_t> frame;
    const ULONGLONG start = GetTickCount64();
    for (uint32_t number = 0; number < info.frameCount; ++number) {
        reader.readFrame(number, frame);
        if (!sequence.decode(frame)) {
            const std::string line = format::frameFailureLine(file, number, sequence.failure()) + "\n";
            std::fputs(("vk6play: " + line).c_str(), stderr);
            OutputDebugStringA(line.c_str());
        }
        if (checksums) {
            checksums->write(sequence.picture(), number);
            continue;
        }
        window->show(sequence.picture());
        const ULONGLONG due = start + (number + 1) * 1000ull * info.rate.denominator / info.rate.numerator;
        if (!window->pumpUntil(due)) break;
    }
    if (checksums) checksums->finish();
}

int run(std::span<char* const> args) {
    const cli::Arguments arguments(args, kOptions);
    if (arguments.operands().size() > 1) cli::failUsage("unexpected operand '" + arguments.operands()[1] + "'");
    const std::string file = arguments.operands().empty() ? besideProgram("intro.xqm") : arguments.operands()[0];
    const std::string framemd5 = arguments.value("--framemd5").value_or("");
    try {
        cli::withFileFailures([&] { play(file, framemd5); });
    } catch (const cli::Failure& failure) {
        // Started from the desktop, the player has no console to say it on.
        if (framemd5.empty()) {
            // The message is UTF-8; the box takes UTF-16.
            MessageBoxW(nullptr, support::filePath(failure.what()).c_str(), L"vk6play", MB_OK | MB_ICONERROR);
        }
        throw;
    }
    return cli::kExitOk;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    return cli::runTool({"vk6play", kHelp}, cli::Utf8Arguments(__argc, __wargv).get(), run);
}
