#include "gstreamer/plugin/vk6dec.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <gst/video/video.h>

#include "decoder/interface/frame_sequence.h"
#include "format/picture.h"
#include "gstreamer/plugin/caps.h"

GST_DEBUG_CATEGORY_STATIC(vk6_dec_debug);
#define GST_CAT_DEFAULT vk6_dec_debug

namespace gstreamer {

// The pictures as the game decodes them (decoder::FrameSequence), and their height.
struct Pictures {
    Pictures(int type, int height) : sequence(decoder::linkedHandleFunctions(), type, height), height(height) {}
    decoder::FrameSequence sequence;
    int height;
};

}  // namespace gstreamer

using gstreamer::Pictures;

struct _GstVk6Dec {
    GstVideoDecoder parent;
    Pictures* pictures;
    GstVideoCodecState* input;
};

G_DEFINE_TYPE(GstVk6Dec, gst_vk6_dec, GST_TYPE_VIDEO_DECODER)

namespace {

gboolean setFormat(GstVideoDecoder* decoder, GstVideoCodecState* state) {
    auto* self = GST_VK6_DEC(decoder);
    const GstStructure* caps = gst_caps_get_structure(state->caps, 0);
    gint height = 0, type = 0;
    if (!gst_structure_get_int(caps, "height", &height) || !gst_structure_get_int(caps, "pixel-type", &type))
        return FALSE;
    auto pictures = std::make_unique<Pictures>(type, height);
    if (pictures->sequence.refused()) {
        GST_ELEMENT_ERROR(self, STREAM, FORMAT, ("the decoder refuses pixel type %d and height %d", type, height),
                          (nullptr));
        return FALSE;
    }
    delete self->pictures;
    self->pictures = pictures.release();

    if (self->input) gst_video_codec_state_unref(self->input);
    self->input = gst_video_codec_state_ref(state);
    const GstVideoFormat format = type == 15 ? GST_VIDEO_FORMAT_RGB15 : GST_VIDEO_FORMAT_RGB16;
    GstVideoCodecState* output =
        gst_video_decoder_set_output_state(decoder, format, format::kPictureWidth, guint(height), state);
    gst_video_codec_state_unref(output);
    return gst_video_decoder_negotiate(decoder);
}

GstFlowReturn handleFrame(GstVideoDecoder* decoder, GstVideoCodecFrame* frame) {
    auto* self = GST_VK6_DEC(decoder);
    if (self->pictures == nullptr) {
        gst_video_decoder_drop_frame(decoder, frame);
        return GST_FLOW_NOT_NEGOTIATED;
    }
    Pictures& p = *self->pictures;
    GstMapInfo map;
    if (!gst_buffer_map(frame->input_buffer, &map, GST_MAP_READ)) {
        gst_video_decoder_drop_frame(decoder, frame);
        return GST_FLOW_ERROR;
    }
    const bool whole = p.sequence.decode({map.data, map.size});
    gst_buffer_unmap(frame->input_buffer, &map);
    if (!whole) {
        const std::string why = p.sequence.failure();
        GST_ELEMENT_WARNING(
            self, STREAM, DECODE,
            ("frame %" G_GUINT64_FORMAT ": %s", guint64(GST_BUFFER_OFFSET(frame->input_buffer)), why.c_str()),
            ("the part from the failed block on shows the previous picture"));
    }
    if (GST_VIDEO_CODEC_FRAME_IS_DECODE_ONLY(frame)) return gst_video_decoder_finish_frame(decoder, frame);

    const GstFlowReturn flow = gst_video_decoder_allocate_output_frame(decoder, frame);
    if (flow != GST_FLOW_OK) {
        gst_video_decoder_drop_frame(decoder, frame);
        return flow;
    }
    GstVideoCodecState* output = gst_video_decoder_get_output_state(decoder);
    GstVideoFrame picture;
    const bool mapped = gst_video_frame_map(&picture, &output->info, frame->output_buffer, GST_MAP_WRITE);
    gst_video_codec_state_unref(output);
    if (!mapped) {
        gst_video_decoder_drop_frame(decoder, frame);
        return GST_FLOW_ERROR;
    }
    auto* rows = static_cast<guint8*>(GST_VIDEO_FRAME_PLANE_DATA(&picture, 0));
    const gint stride = GST_VIDEO_FRAME_PLANE_STRIDE(&picture, 0);
    for (int y = 0; y < p.height; ++y)
        std::copy_n(reinterpret_cast<const guint8*>(p.sequence.picture() + size_t(y) * format::kPictureWidth),
                    format::kPictureWidth * 2, rows + size_t(y) * stride);
    gst_video_frame_unmap(&picture);
    return gst_video_decoder_finish_frame(decoder, frame);
}

// After a seek the decode starts over, from buffers all zero.
gboolean flush(GstVideoDecoder* decoder) {
    auto* self = GST_VK6_DEC(decoder);
    if (self->pictures) self->pictures->sequence.fill(0);
    return TRUE;
}

gboolean stop(GstVideoDecoder* decoder) {
    auto* self = GST_VK6_DEC(decoder);
    delete self->pictures;
    self->pictures = nullptr;
    if (self->input) gst_video_codec_state_unref(self->input);
    self->input = nullptr;
    return TRUE;
}

}  // namespace

static void gst_vk6_dec_class_init(GstVk6DecClass* klass) {
    GST_DEBUG_CATEGORY_INIT(vk6_dec_debug, "vk6dec", 0, "XQM6 video decoder");
    GstElementClass* element = GST_ELEMENT_CLASS(klass);
    gstreamer::addPadTemplate(element, "sink", GST_PAD_SINK, gstreamer::frameTemplateCaps());
    gstreamer::addPadTemplate(element, "src", GST_PAD_SRC, gstreamer::pictureTemplateCaps());
    gst_element_class_set_static_metadata(element, "XQM6 video decoder", "Codec/Decoder/Video",
                                          "Decodes XQM6 video frames into 16-bit RGB pictures 640 pixels wide",
                                          "The Orvane developers");
    GstVideoDecoderClass* video = GST_VIDEO_DECODER_CLASS(klass);
    video->set_format = setFormat;
    video->handle_frame = handleFrame;
    video->flush = flush;
    video->stop = stop;
}

static void gst_vk6_dec_init(GstVk6Dec* self) {
    self->pictures = nullptr;
    self->input = nullptr;
    gst_video_decoder_set_packetized(GST_VIDEO_DECODER(self), TRUE);
    gst_video_decoder_set_needs_format(GST_VIDEO_DECODER(self), TRUE);
}
