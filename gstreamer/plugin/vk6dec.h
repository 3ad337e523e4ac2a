#pragma once
// vk6dec: XQM6 frames into 640-pixel-wide RGB15 or RGB16 pictures, the pixel
// type the stream has, through the decoder library's handle interface with
// concealment on. A frame the decoder abandons posts a warning that says
// where and why, shows the previous picture from the failed block on, and
// playback goes on.

#include <gst/video/gstvideodecoder.h>

G_BEGIN_DECLS

#define GST_TYPE_VK6_DEC (gst_vk6_dec_get_type())
G_DECLARE_FINAL_TYPE(GstVk6Dec, gst_vk6_dec, GST, VK6_DEC, GstVideoDecoder)

G_END_DECLS
