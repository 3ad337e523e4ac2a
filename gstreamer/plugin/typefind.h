#pragma once
// The type finder: a file that begins with the stream header is video/x-xqm6.

#include <gst/gst.h>

gboolean xqm_typefind_register(GstPlugin* plugin);
