#include "gstreamer/plugin/caps.h"

#include <string>

#include "format/picture.h"
#include "format/pixel_types.h"
#include "stream/stream_format.h"

namespace gstreamer {
namespace {

// Width, height range and frame rates, the same for frames and pictures.
std::string pictureFields() {
    return ", width = (int) " + std::to_string(format::kPictureWidth) + ", height = (int) [ 2, " +
           std::to_string(stream::kMaxHeight) + " ]";
}
constexpr const char* kAnyRate = ", framerate = (fraction) [ 0/1, MAX ]";

GstCaps* capsOf(const std::string& text) { return gst_caps_from_string(text.c_str()); }

}  // namespace

GstCaps* frameTemplateCaps() {
    return capsOf(VK6_FRAME_CAPS + pictureFields() + ", pixel-type = (int) { " +
                  std::to_string(int(format::PixelType::Rgb555)) + ", " +
                  std::to_string(int(format::PixelType::Rgb565)) + " }" + kAnyRate);
}

GstCaps* pictureTemplateCaps() {
    return capsOf("video/x-raw, format = (string) { RGB15, RGB16 }" + pictureFields() + kAnyRate);
}

void addPadTemplate(GstElementClass* element, const char* name, GstPadDirection direction, GstCaps* caps) {
    gst_element_class_add_pad_template(element, gst_pad_template_new(name, direction, GST_PAD_ALWAYS, caps));
    gst_caps_unref(caps);
}

}  // namespace gstreamer
