#pragma once
// The media types of the plugin: the stream file as the type finder names it
// and the demuxer takes it, and the frames the demuxer gives the decoder.

// The file, as in the desktop's shared MIME database.
#define XQM_FILE_CAPS "video/x-xqm6"
// The frames, each exactly as the decoder takes it.
#define VK6_FRAME_CAPS "video/x-vk6"
#define VK6_FRAME_CAPS_FULL                                                                                \
    VK6_FRAME_CAPS ", width = (int) 640, height = (int) [ 2, 2048 ], pixel-type = (int) { 15, 16 }, " \
                   "framerate = (fraction) [ 0/1, MAX ]"
