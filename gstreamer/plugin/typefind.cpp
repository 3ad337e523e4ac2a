#include "gstreamer/plugin/typefind.h"

#include <algorithm>

#include "gstreamer/plugin/caps.h"
#include "stream/little_endian.h"
#include "stream/stream_format.h"

namespace {

void findType(GstTypeFind* find, gpointer) {
    const guint8* header = gst_type_find_peek(find, 0, stream::kHeaderSize);
    if (header == nullptr || !std::equal(stream::kMagic.begin(), stream::kMagic.end(), header)) return;
    // The magic alone is likely; with version 1 and a width of 640, certain,
    // and the picture's size and rate tell what the file holds.
    const bool known = stream::loadLittleEndian<uint16_t>(header + 8) == stream::kVersion &&
                       stream::loadLittleEndian<uint16_t>(header + 12) == format::kPictureWidth;
    GstCaps* caps = gst_caps_new_empty_simple(XQM_FILE_CAPS);
    const auto height = stream::loadLittleEndian<uint16_t>(header + 14);
    const auto numerator = stream::loadLittleEndian<uint32_t>(header + 16);
    const auto denominator = stream::loadLittleEndian<uint32_t>(header + 20);
    if (known && height > 0 && numerator > 0 && numerator <= uint32_t(G_MAXINT) && denominator > 0 &&
        denominator <= uint32_t(G_MAXINT))
        gst_caps_set_simple(caps, "width", G_TYPE_INT, gint(format::kPictureWidth), "height", G_TYPE_INT, gint(height),
                            "framerate", GST_TYPE_FRACTION, gint(numerator), gint(denominator), nullptr);
    gst_type_find_suggest(find, known ? GST_TYPE_FIND_MAXIMUM : GST_TYPE_FIND_LIKELY, caps);
    gst_caps_unref(caps);
}

}  // namespace

gboolean xqm_typefind_register(GstPlugin* plugin) {
    GstCaps* caps = gst_caps_new_empty_simple(XQM_FILE_CAPS);
    const gboolean done =
        gst_type_find_register(plugin, XQM_FILE_CAPS, GST_RANK_PRIMARY, findType, "xqm", caps, nullptr, nullptr);
    gst_caps_unref(caps);
    return done;
}
