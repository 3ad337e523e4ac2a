#pragma once
// The media types of the plugin: the stream file as the type finder names it
// and the demuxer takes it, the frames the demuxer gives the decoder, and the
// pictures the decoder gives; the frames' and pictures' ranges come from the
// format's own limits.

#include <gst/gst.h>

// The file, as in the desktop's shared MIME database.
#define XQM_FILE_CAPS "video/x-xqm6"
// The frames, each exactly as the decoder takes it.
#define VK6_FRAME_CAPS "video/x-vk6"

namespace gstreamer {

// Every frame the demuxer may give: "video/x-vk6, width = (int) 640,
// height = (int) [ 2, 2048 ], pixel-type = (int) { 15, 16 }, framerate ...".
GstCaps* frameTemplateCaps();
// Every picture the decoder may give, as raw video.
GstCaps* pictureTemplateCaps();

// Adds an always-present pad template of those caps (taken) to the class.
void addPadTemplate(GstElementClass* element, const char* name, GstPadDirection direction, GstCaps* caps);

}  // namespace gstreamer
