// The plugin: the type finder of .xqm files, the demuxer and the decoder.

#include <gst/gst.h>

#include "gstreamer/plugin/typefind.h"
#include "gstreamer/plugin/vk6dec.h"
#include "gstreamer/plugin/xqmdemux.h"

#ifndef ORV_VERSION
#error "ORV_VERSION names the project's version"
#endif

namespace {

gboolean plugin_init(GstPlugin* plugin) {
    return xqm_typefind_register(plugin) &&
           gst_element_register(plugin, "xqmdemux", GST_RANK_PRIMARY, gst_xqm_demux_get_type()) &&
           gst_element_register(plugin, "vk6dec", GST_RANK_PRIMARY, gst_vk6_dec_get_type());
}

}  // namespace

#define PACKAGE "orvane"
GST_PLUGIN_DEFINE(GST_VERSION_MAJOR, GST_VERSION_MINOR, xqm6, "XQM6 video of the game Orvane: .xqm files", plugin_init,
                  ORV_VERSION, "Proprietary", "Orvane", "the Orvane project")
