// Replays decoder fuzz inputs through the library's own entry points and
// prints, per input, its file name, the decoder's result and the MD5 of the
// target picture. With --expect FILE it compares with a listing made by
// another build instead and exits 1 on any difference, so the 64-bit and
// 32-bit builds can be shown to agree on hostile frames.
//
//   vk6_corpus_replay DIR... [--expect FILE]

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "decoder/interface/vk6_640x16.h"
#include "fuzz/decoder/decoder_fuzz_input.h"
#include "media/md5.h"

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// "<result> <md5>", or "refused" for a picture geometry the library refuses.
std::string replay(const std::vector<uint8_t>& bytes) {
    const fuzz::DecoderFuzzInput input = fuzz::decoderFuzzInput(bytes.data(), bytes.size());
    XQMPI_Decoder* decoder = XQMPI_CreateDecoder(input.type, input.height);
    if (!decoder) return "refused";
    const size_t pixels = size_t(XQMPI_DecoderPictureRows(decoder)) * fuzz::kWidth;
    const std::vector<uint16_t> reference = fuzz::referencePattern(pixels);
    std::vector<uint16_t> target(pixels, uint16_t(fuzz::kTargetFillByte * 0x0101));
    const int32_t result = XQMPI_DecoderDecodeFrame(decoder, input.frame.data(), uint32_t(input.frame.size()),
                                                    reference.data(), target.data());
    XQMPI_DestroyDecoder(decoder);
    std::vector<uint8_t> little;  // the picture's bytes as a little-endian machine holds them
    little.reserve(2 * pixels);
    for (uint16_t pixel : target) little.insert(little.end(), {uint8_t(pixel), uint8_t(pixel >> 8)});
    media::Md5 md5;
    md5.update(little.data(), little.size());
    return std::to_string(result) + " " + md5.finishHex();
}

std::map<std::string, std::string> readListing(const std::string& path) {
    std::map<std::string, std::string> listing;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        const size_t space = line.find(' ');
        if (space != std::string::npos) listing[line.substr(0, space)] = line.substr(space + 1);
    }
    return listing;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<fs::path> inputs;
    std::string expectPath;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--expect" && i + 1 < argc) {
            expectPath = argv[++i];
        } else {
            for (const auto& entry : fs::directory_iterator(arg))
                if (entry.is_regular_file()) inputs.push_back(entry.path());
        }
    }
    if (inputs.empty()) {
        std::cerr << "usage: vk6_corpus_replay DIR... [--expect FILE] (no inputs found)\n";
        return 2;
    }
    std::sort(inputs.begin(), inputs.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); });

    const std::map<std::string, std::string> expected =
        expectPath.empty() ? std::map<std::string, std::string>{} : readListing(expectPath);
    int differences = 0;
    for (const fs::path& path : inputs) {
        const std::string name = path.filename().string();
        const std::string outcome = replay(readFile(path));
        if (expectPath.empty()) {
            std::cout << name << ' ' << outcome << '\n';
            continue;
        }
        const auto it = expected.find(name);
        if (it == expected.end() || it->second != outcome) {
            ++differences;
            std::cout << name << ": " << outcome << ", expected " << (it == expected.end() ? "no entry" : it->second)
                      << '\n';
        }
    }
    if (!expectPath.empty())
        std::cout << inputs.size() << " inputs, " << differences << " differ from " << expectPath << '\n';
    return differences == 0 ? 0 : 1;
}
