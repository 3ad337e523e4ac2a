// vk6play.exe: plays an XQM6 stream file the way the game does. It loads
// VK6_640x16.dll by name, initialises it with the file's header string, and
// decodes every frame with XQMPI_DecodeFrame into two alternating pictures,
// shown at the file's rate until the end or Escape.
//   vk6play [FILE] [--framemd5 OUT]
// Without FILE it plays intro.xqm from its own folder. --framemd5 writes the
// frames' checksums (as `vk6 decode --format framemd5` does) instead of
// showing them.
#include <windows.h>

#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "decoder_dll.h"
#include "picture_sinks.h"
#include "stream/stream_reader.h"
#include "video_window.h"

namespace {

struct Options {
  std::string file;
  std::string framemd5;  // empty: show the video
};

std::string besideProgram(const char* name) {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of("\\/") + 1) + name;
}

bool parse(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--framemd5" && i + 1 < argc) {
      options.framemd5 = argv[++i];
    } else if (!arg.empty() && arg[0] != '-' && options.file.empty()) {
      options.file = arg;
    } else {
      return false;
    }
  }
  if (options.file.empty()) options.file = besideProgram("intro.xqm");
  return true;
}

// The whole video; returns the process's exit code.
int play(const Options& options) {
  xqm::StreamReader reader = xqm::StreamReader::openFile(options.file);
  const xqm::StreamInfo& info = reader.info();

  vk6play::DecoderDll dll;
  if (!dll.loaded()) throw std::runtime_error(dll.error());
  // The file begins with the zero-terminated header string the library takes
  // (the reader has checked that it is there).
  const char* header = reinterpret_cast<const char*>(xqm::kMagic.data());
  if (!dll.init(info.pixelType, info.height, header))
    throw std::runtime_error(options.file + ": the decoder refuses a " + std::to_string(info.pixelType) +
                             "-bit picture of height " + std::to_string(info.height));

  const size_t rows = 8 * static_cast<size_t>(info.height > 8 ? (info.height + 7) / 8 : 1);
  std::vector<uint16_t> pictures[2] = {std::vector<uint16_t>(rows * 640), std::vector<uint16_t>(rows * 640)};
  std::unique_ptr<vk6tool::PictureSink> checksums;
  std::unique_ptr<vk6play::VideoWindow> window;
  if (!options.framemd5.empty())
    checksums = vk6tool::openSink(vk6tool::OutputFormat::FrameMd5, options.framemd5, info);
  else
    window = std::make_unique<vk6play::VideoWindow>(info.pixelType, info.height, "Orvane");

  std::vector<uint8_t> frame;
  const ULONGLONG start = GetTickCount64();
  for (uint32_t number = 0; number < info.frameCount; ++number) {
    reader.readFrame(number, frame);
    // The streams' readers may look 4 bytes past their ends.
    frame.resize(frame.size() + 16, 0);
    const std::vector<uint16_t>& reference = pictures[(number + 1) % 2];
    std::vector<uint16_t>& target = pictures[number % 2];
    dll.decode(frame.data(), reference.data(), target.data());
    if (checksums) {
      checksums->write(target.data(), number);
      continue;
    }
    window->show(target.data());
    const ULONGLONG due = start + (number + 1) * 1000ull * info.rate.denominator / info.rate.numerator;
    if (!window->pumpUntil(due)) break;
  }
  dll.cleanup();
  if (checksums) checksums->finish();
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Options options;
  if (!parse(__argc, __argv, options)) {
    std::fprintf(stderr, "usage: vk6play [FILE] [--framemd5 OUT]\n");
    return 2;
  }
  try {
    return play(options);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "vk6play: %s\n", error.what());
    if (options.framemd5.empty()) MessageBoxA(nullptr, error.what(), "vk6play", MB_OK | MB_ICONERROR);
    return 1;
  }
}
