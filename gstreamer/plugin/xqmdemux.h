#pragma once
// xqmdemux: an .xqm file into its frames, timed from the stream's rate, intra
// frames marked as key units. Pulls from a source that can be read at will
// (a file), else takes the bytes as they are pushed. Seeks are exact: the
// decode starts at the last frame before the target from which a decode
// gives the pictures of a decode from frame 0, and the frames between are
// marked decode-only, so the decoder drops them.

#include <gst/gst.h>

G_BEGIN_DECLS

#define GST_TYPE_XQM_DEMUX (gst_xqm_demux_get_type())
G_DECLARE_FINAL_TYPE(GstXqmDemux, gst_xqm_demux, GST, XQM_DEMUX, GstElement)

G_END_DECLS
