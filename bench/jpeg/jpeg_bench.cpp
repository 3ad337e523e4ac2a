// The reference for the decoder's all-DCT intra frame: the system's JPEG
// library decoding a 640x480 4:4:4 JPEG at the same quality, with the same
// mix of quantised levels per block. The counters are the decoder
// benchmark's, so the two read side by side.

#include <benchmark/benchmark.h>

#include <cstdio>  // jpeglib.h needs FILE
#include <vector>

#include <jpeglib.h>

#include "bench/jpeg/reference_jpeg.h"
#include "format/picture.h"

namespace bench {
namespace {

constexpr int kWidth = format::kPictureWidth, kHeight = 480;
// The decoder benchmark's intra frame carries quality 75; so does the JPEG.
// Both scale the Annex K tables by the same rule (to half at 75); the decoder
// only floors its quantisers at 8, which moves a few low-frequency luma steps.
constexpr int kQuality = 75;

const std::vector<uint8_t>& referenceJpeg() {
    static const std::vector<uint8_t> jpeg = makeReferenceJpeg(kWidth, kHeight, kQuality, 1);
    return jpeg;
}

// Decodes the whole picture per iteration into one reused buffer. Dithering
// is off: the decoder writes its 16-bit pixels undithered.
void JpegReference444(benchmark::State& state, J_COLOR_SPACE space, int bytesPerPixel, J_DCT_METHOD method) {
    const std::vector<uint8_t>& jpeg = referenceJpeg();
    std::vector<uint8_t> picture(size_t(kWidth) * kHeight * bytesPerPixel);
    std::vector<JSAMPROW> rows(kHeight);
    for (int y = 0; y < kHeight; ++y) rows[y] = picture.data() + size_t(y) * kWidth * bytesPerPixel;

    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);  // reports and exits: the input is our own
    jpeg_create_decompress(&cinfo);
    for (auto _ : state) {
        jpeg_mem_src(&cinfo, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
        jpeg_read_header(&cinfo, TRUE);
        cinfo.out_color_space = space;
        cinfo.dct_method = method;
        cinfo.dither_mode = JDITHER_NONE;
        jpeg_start_decompress(&cinfo);
        while (cinfo.output_scanline < cinfo.output_height)
            jpeg_read_scanlines(&cinfo, rows.data() + cinfo.output_scanline,
                                cinfo.output_height - cinfo.output_scanline);
        jpeg_finish_decompress(&cinfo);
        benchmark::DoNotOptimize(picture.data());
        benchmark::ClobberMemory();
    }
    jpeg_destroy_decompress(&cinfo);
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["frame bytes"] = double(jpeg.size());
    state.counters["nonzero/block"] = nonzeroCoefficientsPerBlock(jpeg);
}

// The comparison the decoder's goal names: 16-bit RGB 5:6:5 out, the
// library's default (accurate integer) inverse DCT.
BENCHMARK_CAPTURE(JpegReference444, Rgb565, JCS_RGB565, 2, JDCT_ISLOW)->Unit(benchmark::kMicrosecond);
// For scale: the fast integer inverse DCT, the same kind the decoder uses.
BENCHMARK_CAPTURE(JpegReference444, Rgb565FastDct, JCS_RGB565, 2, JDCT_IFAST)->Unit(benchmark::kMicrosecond);
// For scale: 24-bit RGB, whose colour conversion the library vectorises.
BENCHMARK_CAPTURE(JpegReference444, Rgb24, JCS_RGB, 3, JDCT_ISLOW)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace bench
