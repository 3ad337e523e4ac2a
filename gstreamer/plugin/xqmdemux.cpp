#include "gstreamer/plugin/xqmdemux.h"

#include <memory>
#include <numeric>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "gstreamer/core/clean_start.h"
#include "gstreamer/core/frame_times.h"
#include "gstreamer/core/push_demuxer.h"
#include "gstreamer/plugin/caps.h"
#include "stream/stream_checks.h"
#include "stream/stream_reader.h"
#include "support/file_error.h"

GST_DEBUG_CATEGORY_STATIC(xqm_demux_debug);
#define GST_CAT_DEFAULT xqm_demux_debug

namespace gstreamer {

// A pull that gave no bytes because the pad is flushing or shut: the task
// stops with that flow.
struct PullStopped {
    GstFlowReturn flow;
};

// The file as the pad pulls it.
class PadSource final : public stream::ByteSource {
public:
    PadSource(GstPad* pad, uint64_t size) : pad_(pad), size_(size) {}
    uint64_t size() const override { return size_; }
    void read(uint64_t offset, uint8_t* out, size_t count) override {
        if (!holds(offset, count)) throw support::FileError::io("a read past the end of the file");
        GstBuffer* buffer = nullptr;
        const GstFlowReturn flow = gst_pad_pull_range(pad_, offset, guint(count), &buffer);
        if (flow != GST_FLOW_OK) throw PullStopped{flow};
        const gsize got = gst_buffer_extract(buffer, 0, out, count);
        gst_buffer_unref(buffer);
        if (got != count)
            throw support::FileError::io("the source gave " + std::to_string(got) + " of " + std::to_string(count) +
                                         " bytes at byte " + std::to_string(offset));
    }

private:
    GstPad* pad_;
    uint64_t size_;
};

enum class Start : int8_t { Unknown, No, Yes };

// A seek sent to the source in push mode, applied when its segment comes.
struct PendingSeek {
    uint32_t start, shown;
    GstSegment segment;
    guint32 seqnum;
};

// Pull mode: the demuxer reads the file at will, from its own task.
struct PullMode {
    std::unique_ptr<stream::StreamReader> reader;  // once the task has opened the file
};

// Push mode: the file comes as the source sends it.
struct PushMode {
    std::unique_ptr<gstreamer::PushDemuxer> demuxer;  // from the first bytes or the first move on
    // The last intra frame passed, tested as a start when the frame after it
    // comes.
    std::vector<uint8_t> heldIntra;
    uint32_t heldNumber = UINT32_MAX;
    std::optional<PendingSeek> pendingSeek;
    guint32 ownMove = GST_SEQNUM_INVALID;  // a move of the source the demuxer asked for itself
    bool runEnded = false;                 // the demuxer ended the run (its end or the segment's stop)
};

struct DemuxState {
    std::string name;  // how messages call the file, taken when the pad is activated
    std::variant<std::monostate, PullMode, PushMode> mode;  // none until the sink pad is activated
    stream::StreamInfo info;
    std::vector<stream::IndexEntry> index;
    bool opened = false, headerSent = false;
    std::vector<Start> starts;  // per frame: whether a decode may start there
    uint32_t next = 0;          // the next frame of the run
    uint32_t shown = 0;         // the frames before it are decode-only
    GstSegment segment;
    bool segmentPending = true, discont = true;
    guint32 seqnum = GST_SEQNUM_INVALID;
    std::vector<uint8_t> frame;

    DemuxState() { gst_segment_init(&segment, GST_FORMAT_TIME); }
};

}  // namespace gstreamer

using gstreamer::DemuxState;

struct _GstXqmDemux {
    GstElement parent;
    GstPad* sinkpad;
    GstPad* srcpad;
    DemuxState* state;
};

G_DEFINE_TYPE(GstXqmDemux, gst_xqm_demux, GST_TYPE_ELEMENT)

namespace gstreamer {
namespace {

DemuxState& stateOf(GstXqmDemux* self) { return *self->state; }
PullMode* pullMode(DemuxState& s) { return std::get_if<PullMode>(&s.mode); }
PushMode& pushMode(DemuxState& s) { return std::get<PushMode>(s.mode); }

// How messages call the file: its name, from the source's URI.
std::string sourceName(GstXqmDemux* self) {
    std::string name = "the stream";
    GstQuery* query = gst_query_new_uri();
    if (gst_pad_peer_query(self->sinkpad, query)) {
        gchar* uri = nullptr;
        gst_query_parse_uri(query, &uri);
        if (uri != nullptr) {
            gchar* path = g_filename_from_uri(uri, nullptr, nullptr);
            gchar* base = path != nullptr ? g_path_get_basename(path) : nullptr;
            name = base != nullptr ? base : uri;
            g_free(base);
            g_free(path);
            g_free(uri);
        }
    }
    gst_query_unref(query);
    return name;
}

uint64_t upstreamSize(GstXqmDemux* self) {
    gint64 size = -1;
    if (!gst_pad_peer_query_duration(self->sinkpad, GST_FORMAT_BYTES, &size) || size < 0)
        return stream::kUnknownFileSize;
    return uint64_t(size);
}

uint64_t frameStartOf(const DemuxState& s, uint64_t number) { return gstreamer::frameStart(number, s.info.rate); }

void fraction(support::FrameRate rate, gint& numerator, gint& denominator) {
    const uint32_t divisor = std::gcd(rate.numerator, rate.denominator);
    const uint32_t n = rate.numerator / divisor, d = rate.denominator / divisor;
    if (n <= uint32_t(G_MAXINT) && d <= uint32_t(G_MAXINT)) {
        numerator = gint(n);
        denominator = gint(d);
    } else {
        gst_util_double_to_fraction(double(n) / double(d), &numerator, &denominator);
    }
}

// The stream's header and index are known: sizes for the queries, the
// segment's duration.
void opened(GstXqmDemux* self, const stream::StreamInfo& info, const std::vector<stream::IndexEntry>& index) {
    DemuxState& s = stateOf(self);
    s.info = info;
    s.index = index;
    s.starts.assign(index.size(), Start::Unknown);
    if (!index.empty()) s.starts[0] = Start::Yes;
    s.opened = true;
    s.segment.duration = frameStartOf(s, index.size());
    gst_element_post_message(GST_ELEMENT(self), gst_message_new_duration_changed(GST_OBJECT(self)));
}

void sendHeader(GstXqmDemux* self) {
    DemuxState& s = stateOf(self);
    gchar* id = gst_pad_create_stream_id(self->srcpad, GST_ELEMENT(self), nullptr);
    GstEvent* start = gst_event_new_stream_start(id);
    gst_event_set_group_id(start, gst_util_group_id_next());
    g_free(id);
    gst_pad_push_event(self->srcpad, start);
    gint numerator, denominator;
    fraction(s.info.rate, numerator, denominator);
    GstCaps* caps =
        gst_caps_new_simple(VK6_FRAME_CAPS, "width", G_TYPE_INT, gint(format::kPictureWidth), "height", G_TYPE_INT,
                            gint(s.info.height), "pixel-type", G_TYPE_INT, gint(s.info.pixelType), "framerate",
                            GST_TYPE_FRACTION, numerator, denominator, nullptr);
    gst_pad_push_event(self->srcpad, gst_event_new_caps(caps));
    gst_caps_unref(caps);
    GstTagList* tags =
        gst_tag_list_new(GST_TAG_CONTAINER_FORMAT, "XQM6 stream file", GST_TAG_VIDEO_CODEC, "XQM6 video", nullptr);
    gst_tag_list_set_scope(tags, GST_TAG_SCOPE_GLOBAL);
    gst_pad_push_event(self->srcpad, gst_event_new_tag(tags));
    s.headerSent = true;
}

GstFlowReturn pushFrame(GstXqmDemux* self, uint32_t number, const uint8_t* bytes, size_t size) {
    DemuxState& s = stateOf(self);
    if (!s.headerSent) sendHeader(self);
    if (s.segmentPending) {
        GstEvent* event = gst_event_new_segment(&s.segment);
        if (s.seqnum != GST_SEQNUM_INVALID) gst_event_set_seqnum(event, s.seqnum);
        gst_pad_push_event(self->srcpad, event);
        s.segmentPending = false;
    }
    const uint64_t start = frameStartOf(s, number);
    if (GST_CLOCK_TIME_IS_VALID(s.segment.stop) && start >= s.segment.stop) return GST_FLOW_EOS;
    GstBuffer* buffer = gst_buffer_new_memdup(bytes, size);
    GST_BUFFER_PTS(buffer) = GST_BUFFER_DTS(buffer) = start;
    GST_BUFFER_DURATION(buffer) = frameStartOf(s, uint64_t(number) + 1) - start;
    GST_BUFFER_OFFSET(buffer) = number;
    GST_BUFFER_OFFSET_END(buffer) = uint64_t(number) + 1;
    if (!s.index[number].intra()) GST_BUFFER_FLAG_SET(buffer, GST_BUFFER_FLAG_DELTA_UNIT);
    if (number < s.shown) GST_BUFFER_FLAG_SET(buffer, GST_BUFFER_FLAG_DECODE_ONLY);
    if (s.discont) GST_BUFFER_FLAG_SET(buffer, GST_BUFFER_FLAG_DISCONT);
    s.discont = false;
    s.segment.position = start;
    return gst_pad_push(self->srcpad, buffer);
}

void postError(GstXqmDemux* self, const support::FileError& error) {
    if (error.kind() == support::FileError::Kind::Io)
        GST_ELEMENT_ERROR(self, RESOURCE, READ, ("%s", error.what()), (nullptr));
    else
        GST_ELEMENT_ERROR(self, STREAM, DEMUX, ("%s", error.what()), (nullptr));
}

// Whether a decode may start at frame `number` (pull mode tests a frame not
// tested yet, push mode knows only the frames that have passed).
bool startsHere(GstXqmDemux* self, uint32_t number) {
    DemuxState& s = stateOf(self);
    if (s.starts[number] == Start::Unknown && pullMode(s) != nullptr) {
        stream::StreamReader& reader = *pullMode(s)->reader;
        std::vector<uint8_t> intra, next;
        reader.readFrame(number, intra);
        if (number + 1 < s.index.size()) reader.readFrame(number + 1, next);
        s.starts[number] = gstreamer::startsCleanly(s.info, intra, next) ? Start::Yes : Start::No;
    }
    return s.starts[number] == Start::Yes;
}

// The frame a decode that is to show `target` starts from.
uint32_t startFor(GstXqmDemux* self, uint32_t target) {
    DemuxState& s = stateOf(self);
    for (uint32_t number = target; number > 0; --number)
        if (s.index[number].intra() && startsHere(self, number)) return number;
    return 0;
}

// Push mode: what the test of a start found; seeks read it from the
// application's thread.
void noteStart(GstXqmDemux* self, uint32_t number, bool clean) {
    GST_OBJECT_LOCK(self);
    stateOf(self).starts[number] = clean ? Start::Yes : Start::No;
    GST_OBJECT_UNLOCK(self);
}

// Push mode: a frame has passed; an intra frame before it is tested as a
// start with it.
void notePassed(GstXqmDemux* self, uint32_t number, std::span<const uint8_t> bytes) {
    DemuxState& s = stateOf(self);
    PushMode& push = pushMode(s);
    if (push.heldNumber != UINT32_MAX && push.heldNumber + 1 == number && s.starts[push.heldNumber] == Start::Unknown)
        noteStart(self, push.heldNumber, gstreamer::startsCleanly(s.info, push.heldIntra, bytes));
    push.heldNumber = UINT32_MAX;
    if (s.index[number].intra() && s.starts[number] == Start::Unknown) {
        if (number + 1 == s.index.size()) {
            noteStart(self, number, gstreamer::startsCleanly(s.info, bytes, {}));
        } else {
            push.heldIntra.assign(bytes.begin(), bytes.end());
            push.heldNumber = number;
        }
    }
}

// The frames to give after the segment has changed: from the frame a decode
// starts at to show the segment's first, those before that one decode-only;
// a key unit seek moves the segment's start to the start frame.
void plan(GstXqmDemux* self, bool keyUnit) {
    DemuxState& s = stateOf(self);
    if (s.index.empty()) return;
    const uint64_t last = s.index.size() - 1;
    const auto target = uint32_t(std::min<uint64_t>(gstreamer::frameAt(s.segment.start, s.info.rate), last));
    const uint32_t start = startFor(self, target);
    GST_DEBUG_OBJECT(self, "frame %u is shown after a decode from frame %u", target, start);
    s.next = start;
    s.shown = keyUnit ? start : target;
    if (keyUnit) s.segment.start = s.segment.time = s.segment.position = frameStartOf(s, start);
    s.segmentPending = s.discont = true;
}

void pauseTask(GstXqmDemux* self, GstFlowReturn flow) {
    GST_DEBUG_OBJECT(self, "pausing: %s", gst_flow_get_name(flow));
    gst_pad_pause_task(self->sinkpad);
    if (flow == GST_FLOW_EOS) {
        gst_pad_push_event(self->srcpad, gst_event_new_eos());
    } else if (flow == GST_FLOW_NOT_LINKED || flow < GST_FLOW_EOS) {
        GST_ELEMENT_FLOW_ERROR(self, flow);
        gst_pad_push_event(self->srcpad, gst_event_new_eos());
    }
}

void openPull(GstXqmDemux* self) {
    DemuxState& s = stateOf(self);
    std::unique_ptr<stream::StreamReader>& reader = pullMode(s)->reader;
    reader =
        std::make_unique<stream::StreamReader>(std::make_unique<PadSource>(self->sinkpad, upstreamSize(self)), s.name);
    opened(self, reader->info(), reader->index());
    plan(self, false);
}

void loop(gpointer pad) {
    auto* self = GST_XQM_DEMUX(GST_PAD_PARENT(GST_PAD(pad)));
    DemuxState& s = stateOf(self);
    try {
        if (!pullMode(s)->reader) openPull(self);
        if (s.next >= s.index.size()) return pauseTask(self, GST_FLOW_EOS);
        pullMode(s)->reader->readFrame(s.next, s.frame);
        const GstFlowReturn flow = pushFrame(self, s.next, s.frame.data(), s.frame.size());
        ++s.next;
        if (flow != GST_FLOW_OK) pauseTask(self, flow);
    } catch (const PullStopped& stopped) {
        pauseTask(self, stopped.flow);
    } catch (const support::FileError& error) {
        postError(self, error);
        pauseTask(self, GST_FLOW_EOS);
    }
}

// Push mode.

// Sends the source to `offset`; its segment then says where the bytes start.
bool moveSource(GstXqmDemux* self, uint64_t offset, GstSeekFlags flags, guint32 seqnum) {
    GstEvent* seek = gst_event_new_seek(1.0, GST_FORMAT_BYTES, GstSeekFlags(flags | GST_SEEK_FLAG_FLUSH),
                                        GST_SEEK_TYPE_SET, gint64(offset), GST_SEEK_TYPE_NONE, -1);
    gst_event_set_seqnum(seek, seqnum);
    return gst_pad_push_event(self->sinkpad, seek);
}

GstFlowReturn chain(GstPad*, GstObject* parent, GstBuffer* buffer) {
    auto* self = GST_XQM_DEMUX(parent);
    DemuxState& s = stateOf(self);
    PushMode& push = pushMode(s);
    GstFlowReturn flow = GST_FLOW_OK;
    if (push.runEnded) {
        // The bytes still coming after the run's end.
        gst_buffer_unref(buffer);
        return GST_FLOW_EOS;
    }
    try {
        if (!push.demuxer) push.demuxer = std::make_unique<gstreamer::PushDemuxer>(s.name, upstreamSize(self));
        gstreamer::PushDemuxer& demuxer = *push.demuxer;
        GstMapInfo map;
        if (!gst_buffer_map(buffer, &map, GST_MAP_READ)) {
            gst_buffer_unref(buffer);
            return GST_FLOW_ERROR;
        }
        demuxer.push({map.data, map.size});
        gst_buffer_unmap(buffer, &map);
        gst_buffer_unref(buffer);
        buffer = nullptr;
        if (demuxer.hasIndex() && !s.opened) {
            opened(self, demuxer.info(), demuxer.index());
            plan(self, false);
            demuxer.startAt(s.next);
        }
        while (flow == GST_FLOW_OK && s.opened) {
            if (auto offset = demuxer.neededOffset()) {
                // A frame stored before the bytes that have passed.
                push.ownMove = gst_util_seqnum_next();
                if (!moveSource(self, *offset, GST_SEEK_FLAG_NONE, push.ownMove)) {
                    push.ownMove = GST_SEQNUM_INVALID;
                    GST_ELEMENT_ERROR(self, STREAM, DEMUX,
                                      ("%s: frame %u lies before the frame before it, and the source cannot go back",
                                       s.name.c_str(), demuxer.nextNumber()),
                                      (nullptr));
                    return GST_FLOW_ERROR;
                }
                break;
            }
            const auto frame = demuxer.nextFrame();
            if (!frame) break;
            notePassed(self, frame->number, frame->bytes);
            flow = pushFrame(self, frame->number, frame->bytes.data(), frame->bytes.size());
        }
        if (flow == GST_FLOW_OK && demuxer.runOver()) flow = GST_FLOW_EOS;
        if (flow == GST_FLOW_EOS) push.runEnded = true;
    } catch (const support::FileError& error) {
        if (buffer != nullptr) gst_buffer_unref(buffer);
        postError(self, error);
        return GST_FLOW_ERROR;
    }
    return flow;
}

bool sinkSegment(GstXqmDemux* self, GstEvent* event) {
    DemuxState& s = stateOf(self);
    PushMode& push = pushMode(s);
    const GstSegment* segment;
    gst_event_parse_segment(event, &segment);
    const uint64_t offset = segment->format == GST_FORMAT_BYTES && segment->start != guint64(-1) ? segment->start : 0;
    if (push.demuxer) {
        GST_OBJECT_LOCK(self);
        std::optional<PendingSeek> pending = std::move(push.pendingSeek);
        push.pendingSeek.reset();
        GST_OBJECT_UNLOCK(self);
        push.demuxer->moved(offset);
        if (pending) {
            s.segment = pending->segment;
            s.seqnum = pending->seqnum;
            s.next = pending->start;
            s.shown = pending->shown;
            s.segmentPending = s.discont = true;
            push.runEnded = false;
            push.demuxer->startAt(pending->start);
        }
    } else if (offset != 0) {
        push.demuxer = std::make_unique<gstreamer::PushDemuxer>(s.name, upstreamSize(self));
        push.demuxer->moved(offset);
    }
    gst_event_unref(event);
    return true;
}

gboolean sinkEvent(GstPad* pad, GstObject* parent, GstEvent* event) {
    auto* self = GST_XQM_DEMUX(parent);
    DemuxState& s = stateOf(self);
    PushMode* push = std::get_if<PushMode>(&s.mode);
    switch (GST_EVENT_TYPE(event)) {
        case GST_EVENT_CAPS:
            gst_event_unref(event);  // the demuxer's caps are its own
            return TRUE;
        case GST_EVENT_SEGMENT:
            if (push == nullptr) break;
            return sinkSegment(self, event);
        case GST_EVENT_FLUSH_START:
        case GST_EVENT_FLUSH_STOP:
            if (push != nullptr && push->ownMove != GST_SEQNUM_INVALID &&
                gst_event_get_seqnum(event) == push->ownMove) {
                if (GST_EVENT_TYPE(event) == GST_EVENT_FLUSH_STOP) push->ownMove = GST_SEQNUM_INVALID;
                gst_event_unref(event);
                return TRUE;
            }
            break;
        case GST_EVENT_EOS:
            if (push != nullptr && push->demuxer && !push->runEnded) {
                try {
                    push->demuxer->end();
                } catch (const support::FileError& error) {
                    postError(self, error);
                }
            } else if (!s.opened) {
                try {
                    stream::StreamChecks(s.name, 0).failShortHeader(0);
                } catch (const support::FileError& error) {
                    postError(self, error);
                }
            }
            break;
        default: break;
    }
    return gst_pad_event_default(pad, parent, event);
}

// Seeks.

struct SeekRequest {
    double rate;
    GstFormat format;
    GstSeekFlags flags;
    GstSeekType startType, stopType;
    gint64 start, stop;
};

// Frames as times; false for a seek the demuxer cannot do (reverse or other
// formats).
bool parseSeek(GstXqmDemux* self, GstEvent* event, SeekRequest& r) {
    DemuxState& s = stateOf(self);
    gst_event_parse_seek(event, &r.rate, &r.format, &r.flags, &r.startType, &r.start, &r.stopType, &r.stop);
    if (r.rate <= 0.0) return false;
    if (r.format == GST_FORMAT_DEFAULT && s.opened) {
        for (gint64* value : {&r.start, &r.stop})
            if (*value >= 0) *value = gint64(frameStartOf(s, uint64_t(*value)));
        r.format = GST_FORMAT_TIME;
    }
    return r.format == GST_FORMAT_TIME;
}

bool seekPull(GstXqmDemux* self, GstEvent* event) {
    DemuxState& s = stateOf(self);
    SeekRequest r;
    if (!parseSeek(self, event, r)) return false;
    const guint32 seqnum = gst_event_get_seqnum(event);
    const bool flush = (r.flags & GST_SEEK_FLAG_FLUSH) != 0;
    if (flush) {
        GstEvent* start = gst_event_new_flush_start();
        gst_event_set_seqnum(start, seqnum);
        gst_pad_push_event(self->srcpad, gst_event_ref(start));
        gst_pad_push_event(self->sinkpad, start);
    } else {
        gst_pad_pause_task(self->sinkpad);
    }
    GST_PAD_STREAM_LOCK(self->sinkpad);
    if (flush) {
        GstEvent* stop = gst_event_new_flush_stop(TRUE);
        gst_event_set_seqnum(stop, seqnum);
        gst_pad_push_event(self->srcpad, gst_event_ref(stop));
        gst_pad_push_event(self->sinkpad, stop);
    }
    gboolean update;
    gst_segment_do_seek(&s.segment, r.rate, r.format, r.flags, r.startType, r.start, r.stopType, r.stop, &update);
    s.seqnum = seqnum;
    try {
        plan(self, (r.flags & GST_SEEK_FLAG_KEY_UNIT) != 0);
    } catch (const PullStopped&) {
    } catch (const support::FileError& error) {
        postError(self, error);
    }
    gst_pad_start_task(self->sinkpad, loop, self->sinkpad, nullptr);
    GST_PAD_STREAM_UNLOCK(self->sinkpad);
    return true;
}

bool seekPush(GstXqmDemux* self, GstEvent* event) {
    DemuxState& s = stateOf(self);
    SeekRequest r;
    if (!s.opened || !parseSeek(self, event, r)) return false;
    PendingSeek pending;
    pending.segment = s.segment;
    pending.seqnum = gst_event_get_seqnum(event);
    gboolean update;
    gst_segment_do_seek(&pending.segment, r.rate, r.format, r.flags, r.startType, r.start, r.stopType, r.stop, &update);
    const uint64_t last = s.index.size() - 1;
    pending.shown = uint32_t(std::min<uint64_t>(gstreamer::frameAt(pending.segment.start, s.info.rate), last));
    // Only the frames that have passed are known as starts here.
    GST_OBJECT_LOCK(self);
    pending.start = startFor(self, pending.shown);
    GST_OBJECT_UNLOCK(self);
    if ((r.flags & GST_SEEK_FLAG_KEY_UNIT) != 0) {
        pending.shown = pending.start;
        pending.segment.start = pending.segment.time = pending.segment.position = frameStartOf(s, pending.start);
    }
    PushMode& push = pushMode(s);
    GST_OBJECT_LOCK(self);
    push.pendingSeek = pending;
    GST_OBJECT_UNLOCK(self);
    const GstSeekFlags flags = GstSeekFlags(r.flags & GST_SEEK_FLAG_FLUSH);
    if (moveSource(self, s.index[pending.start].offset, flags, pending.seqnum)) return true;
    GST_OBJECT_LOCK(self);
    push.pendingSeek.reset();
    GST_OBJECT_UNLOCK(self);
    return false;
}

gboolean srcEvent(GstPad* pad, GstObject* parent, GstEvent* event) {
    auto* self = GST_XQM_DEMUX(parent);
    if (GST_EVENT_TYPE(event) == GST_EVENT_SEEK) {
        const bool done = pullMode(stateOf(self)) != nullptr ? seekPull(self, event) : seekPush(self, event);
        gst_event_unref(event);
        return done;
    }
    return gst_pad_event_default(pad, parent, event);
}

gboolean srcQuery(GstPad* pad, GstObject* parent, GstQuery* query) {
    auto* self = GST_XQM_DEMUX(parent);
    DemuxState& s = stateOf(self);
    switch (GST_QUERY_TYPE(query)) {
        case GST_QUERY_DURATION: {
            GstFormat format;
            gst_query_parse_duration(query, &format, nullptr);
            if (!s.opened) return FALSE;
            if (format == GST_FORMAT_TIME) {
                gst_query_set_duration(query, format, gint64(frameStartOf(s, s.index.size())));
                return TRUE;
            }
            if (format == GST_FORMAT_DEFAULT) {
                gst_query_set_duration(query, format, gint64(s.index.size()));
                return TRUE;
            }
            return FALSE;
        }
        case GST_QUERY_SEEKING: {
            GstFormat format;
            gst_query_parse_seeking(query, &format, nullptr, nullptr, nullptr);
            if (format != GST_FORMAT_TIME && format != GST_FORMAT_DEFAULT) return FALSE;
            gboolean seekable = pullMode(s) != nullptr;
            if (!seekable) {
                GstQuery* bytes = gst_query_new_seeking(GST_FORMAT_BYTES);
                if (gst_pad_peer_query(self->sinkpad, bytes))
                    gst_query_parse_seeking(bytes, nullptr, &seekable, nullptr, nullptr);
                gst_query_unref(bytes);
            }
            const gint64 end = !s.opened                   ? -1
                               : format == GST_FORMAT_TIME ? gint64(frameStartOf(s, s.index.size()))
                                                           : gint64(s.index.size());
            gst_query_set_seeking(query, format, seekable, 0, end);
            return TRUE;
        }
        default: return gst_pad_query_default(pad, parent, query);
    }
}

// Pull mode where the source allows it.

gboolean sinkActivate(GstPad* pad, GstObject*) {
    GstQuery* query = gst_query_new_scheduling();
    const bool pull = gst_pad_peer_query(pad, query) &&
                      gst_query_has_scheduling_mode_with_flags(query, GST_PAD_MODE_PULL, GST_SCHEDULING_FLAG_SEEKABLE);
    gst_query_unref(query);
    return gst_pad_activate_mode(pad, pull ? GST_PAD_MODE_PULL : GST_PAD_MODE_PUSH, TRUE);
}

gboolean sinkActivateMode(GstPad* pad, GstObject* parent, GstPadMode mode, gboolean active) {
    auto* self = GST_XQM_DEMUX(parent);
    DemuxState& s = stateOf(self);
    if (active) s.name = sourceName(self);
    if (mode == GST_PAD_MODE_PUSH) {
        if (active) s.mode = PushMode{};
        return TRUE;
    }
    if (mode != GST_PAD_MODE_PULL) return FALSE;
    if (!active) return gst_pad_stop_task(pad);
    s.mode = PullMode{};
    return gst_pad_start_task(pad, loop, pad, nullptr);
}

}  // namespace
}  // namespace gstreamer

using namespace gstreamer;

static GstStateChangeReturn gst_xqm_demux_change_state(GstElement* element, GstStateChange transition) {
    auto* self = GST_XQM_DEMUX(element);
    const GstStateChangeReturn result =
        GST_ELEMENT_CLASS(gst_xqm_demux_parent_class)->change_state(element, transition);
    if (transition == GST_STATE_CHANGE_PAUSED_TO_READY) {
        delete self->state;
        self->state = new DemuxState;
    }
    return result;
}

static void gst_xqm_demux_finalize(GObject* object) {
    delete GST_XQM_DEMUX(object)->state;
    G_OBJECT_CLASS(gst_xqm_demux_parent_class)->finalize(object);
}

static void gst_xqm_demux_class_init(GstXqmDemuxClass* klass) {
    GST_DEBUG_CATEGORY_INIT(xqm_demux_debug, "xqmdemux", 0, "XQM6 stream file demuxer");
    G_OBJECT_CLASS(klass)->finalize = gst_xqm_demux_finalize;
    GstElementClass* element = GST_ELEMENT_CLASS(klass);
    element->change_state = gst_xqm_demux_change_state;
    gstreamer::addPadTemplate(element, "sink", GST_PAD_SINK, gst_caps_new_empty_simple(XQM_FILE_CAPS));
    gstreamer::addPadTemplate(element, "src", GST_PAD_SRC, gstreamer::frameTemplateCaps());
    gst_element_class_set_static_metadata(element, "XQM6 stream file demuxer", "Codec/Demuxer",
                                          "Splits an .xqm file into its XQM6 video frames", "The Orvane developers");
}

static void gst_xqm_demux_init(GstXqmDemux* self) {
    self->state = new DemuxState;
    self->sinkpad =
        gst_pad_new_from_template(gst_element_class_get_pad_template(GST_ELEMENT_GET_CLASS(self), "sink"), "sink");
    gst_pad_set_activate_function(self->sinkpad, sinkActivate);
    gst_pad_set_activatemode_function(self->sinkpad, sinkActivateMode);
    gst_pad_set_chain_function(self->sinkpad, chain);
    gst_pad_set_event_function(self->sinkpad, sinkEvent);
    gst_element_add_pad(GST_ELEMENT(self), self->sinkpad);
    self->srcpad =
        gst_pad_new_from_template(gst_element_class_get_pad_template(GST_ELEMENT_GET_CLASS(self), "src"), "src");
    gst_pad_set_event_function(self->srcpad, srcEvent);
    gst_pad_set_query_function(self->srcpad, srcQuery);
    gst_pad_use_fixed_caps(self->srcpad);
    gst_element_add_pad(GST_ELEMENT(self), self->srcpad);
}
