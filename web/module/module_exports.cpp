// The WebAssembly module's C entry points, which the player's worker calls.
// Pointers are offsets into the module's memory; strings end in a zero byte.
// A session is a PlayerSession with the RGBA of its shown picture.

#include <cstdint>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "decoder/vk6_internal.h"
#include "web/module/player_session.h"

#define XQM_WEB_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace {

struct WebSession {
    web::PlayerSession session;
    std::vector<uint8_t> rgba;
};

// Why the last xqm_open failed.
std::string openFailure;

}  // namespace

XQM_WEB_EXPORT(xqm_alloc) void* xqm_alloc(uint32_t size) { return std::malloc(size == 0 ? 1 : size); }

XQM_WEB_EXPORT(xqm_free) void xqm_free(void* pointer) { std::free(pointer); }

// Takes the bytes, allocated with xqm_alloc, whatever the outcome; null when
// they are not a stream, xqm_open_failure() then says why.
XQM_WEB_EXPORT(xqm_open) WebSession* xqm_open(uint8_t* bytes, uint32_t size, const char* name) {
    std::vector<uint8_t> owned(bytes, bytes + size);
    std::free(bytes);
    try {
        return new WebSession{web::PlayerSession(std::move(owned), name != nullptr ? name : "video"), {}};
    } catch (const std::exception& error) {
        openFailure = error.what();
        return nullptr;
    }
}

XQM_WEB_EXPORT(xqm_close) void xqm_close(WebSession* s) { delete s; }

XQM_WEB_EXPORT(xqm_pixel_type) int32_t xqm_pixel_type(const WebSession* s) { return s->session.info().pixelType; }
XQM_WEB_EXPORT(xqm_width) int32_t xqm_width(const WebSession*) { return format::kPictureWidth; }
XQM_WEB_EXPORT(xqm_height) int32_t xqm_height(const WebSession* s) { return s->session.info().height; }
XQM_WEB_EXPORT(xqm_rate_numerator) uint32_t xqm_rate_numerator(const WebSession* s) {
    return s->session.info().rate.numerator;
}
XQM_WEB_EXPORT(xqm_rate_denominator) uint32_t xqm_rate_denominator(const WebSession* s) {
    return s->session.info().rate.denominator;
}
XQM_WEB_EXPORT(xqm_frame_count) uint32_t xqm_frame_count(const WebSession* s) { return s->session.info().frameCount; }
XQM_WEB_EXPORT(xqm_frame_size) uint32_t xqm_frame_size(const WebSession* s, uint32_t n) {
    return n < s->session.index().size() ? s->session.index()[n].size : 0;
}
XQM_WEB_EXPORT(xqm_frame_intra) int32_t xqm_frame_intra(const WebSession* s, uint32_t n) {
    return n < s->session.index().size() && s->session.index()[n].intra();
}
XQM_WEB_EXPORT(xqm_frame_quality) int32_t xqm_frame_quality(const WebSession* s, uint32_t n) {
    return n < s->session.index().size() ? int32_t(s->session.frameQuality(n)) : 0;
}

// 1: every frame on the way decoded whole; 0: one was damaged and concealed
// (xqm_damage_* say which and why); -1: no such frame.
XQM_WEB_EXPORT(xqm_show) int32_t xqm_show(WebSession* s, uint32_t n) {
    switch (s->session.show(n)) {
        case web::PlayerSession::Result::Whole: return 1;
        case web::PlayerSession::Result::Damaged: return 0;
        case web::PlayerSession::Result::OutOfRange: break;
    }
    return -1;
}

XQM_WEB_EXPORT(xqm_shown) int32_t xqm_shown(const WebSession* s) { return int32_t(s->session.shown()); }

// The shown picture in RGBA, valid until the next call on the session.
XQM_WEB_EXPORT(xqm_rgba) const uint8_t* xqm_rgba(WebSession* s) {
    s->rgba.resize(size_t(4) * format::kPictureWidth * s->session.info().height);
    s->session.expandToRgba(s->rgba.data());
    return s->rgba.data();
}

XQM_WEB_EXPORT(xqm_open_failure) const char* xqm_open_failure() { return openFailure.c_str(); }

// The frames the last xqm_show found damaged: how many, then each one's
// number and the line that says why.
XQM_WEB_EXPORT(xqm_damage_count) uint32_t xqm_damage_count(const WebSession* s) {
    return uint32_t(s->session.damage().size());
}
XQM_WEB_EXPORT(xqm_damage_frame) uint32_t xqm_damage_frame(const WebSession* s, uint32_t i) {
    return i < s->session.damage().size() ? s->session.damage()[i].frame : 0;
}
XQM_WEB_EXPORT(xqm_damage_message) const char* xqm_damage_message(const WebSession* s, uint32_t i) {
    return i < s->session.damage().size() ? s->session.damage()[i].message.c_str() : "";
}

XQM_WEB_EXPORT(xqm_kernels) const char* xqm_kernels() {
    static const std::string name(decoder::kernelLevelName(decoder::defaultKernelLevel()));
    return name.c_str();
}
