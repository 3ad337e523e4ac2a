// The plugin in pipelines as applications build them: frames and pictures
// against the library's decode of the sample video, seeks in pull and push
// mode, a file pushed in pieces of every size, hostile and damaged files.

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "gstreamer/core/clean_start.h"
#include "stream/little_endian.h"
#include "stream/stream_reader.h"
#include "stream/stream_writer.h"
#include "tests/decoder/copy_video.h"
#include "tests/decoder/turn_decoding.h"
#include "tests/scratch_path.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Sample {
    stream::StreamInfo info;
    std::vector<Bytes> frames;
    std::vector<bool> intra;
    std::vector<std::vector<uint16_t>> pictures;  // the first `height` rows of each
};

const Sample& sample() {
    static const Sample loaded = [] {
        Sample s;
        auto reader = stream::StreamReader::openFile(XQM_SAMPLE);
        s.info = reader.info();
        s.frames.resize(s.info.frameCount);
        for (uint32_t n = 0; n < s.info.frameCount; ++n) {
            reader.readFrame(n, s.frames[n]);
            s.intra.push_back(reader.index()[n].intra());
        }
        for (auto& picture : decoder::test::decodeByTurns(s.info.pixelType, s.info.height, s.frames))
            s.pictures.emplace_back(picture.begin(), picture.begin() + size_t(s.info.height) * format::kPictureWidth);
        return s;
    }();
    return loaded;
}

std::string writeFile(const std::string& name, const Bytes& bytes) {
    const std::string path = setup::test::scratchPath(name).string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

// A stream of the sample's frames in the order given, written with the
// project's writer, or with its bytes changed afterwards.
Bytes streamOf(const std::vector<Bytes>& frames) {
    std::stringstream out;
    stream::StreamWriter writer(out, "clip", sample().info, uint32_t(frames.size()));
    for (const Bytes& frame : frames) writer.addFrame(frame);
    writer.finish();
    const std::string text = out.str();
    return Bytes(text.begin(), text.end());
}

// A pipeline ending in an appsink "out"; what came out of it and what the bus said.
class Pipeline {
public:
    explicit Pipeline(const std::string& description) {
        GError* error = nullptr;
        pipeline_ = gst_parse_launch((description + " ! appsink name=out sync=false").c_str(), &error);
        if (error != nullptr) {
            ADD_FAILURE() << description << ": " << error->message;
            g_error_free(error);
        }
        GstElement* out = gst_bin_get_by_name(GST_BIN(pipeline_), "out");
        sink_ = GST_APP_SINK(out);
    }
    ~Pipeline() {
        gst_element_set_state(pipeline_, GST_STATE_NULL);
        gst_object_unref(sink_);
        gst_object_unref(pipeline_);
    }

    // Plays to the end or to an error; the pictures that came out.
    std::vector<Bytes> playToEnd() {
        std::vector<Bytes> pictures;
        GstAppSinkCallbacks callbacks{};
        callbacks.new_sample = [](GstAppSink* sink, gpointer data) {
            static_cast<std::vector<Bytes>*>(data)->push_back(take(gst_app_sink_pull_sample(sink)));
            return GST_FLOW_OK;
        };
        gst_app_sink_set_callbacks(sink_, &callbacks, &pictures, nullptr);
        gst_element_set_state(pipeline_, GST_STATE_PLAYING);
        GstBus* bus = gst_element_get_bus(pipeline_);
        for (bool over = false; !over;) {
            GstMessage* m = gst_bus_timed_pop_filtered(
                bus, GST_CLOCK_TIME_NONE, GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR | GST_MESSAGE_WARNING));
            over = GST_MESSAGE_TYPE(m) != GST_MESSAGE_WARNING;
            record(m);
        }
        gst_object_unref(bus);
        gst_element_set_state(pipeline_, GST_STATE_NULL);
        return pictures;
    }
    // Paused and prerolled; false when that failed.
    bool pause() {
        gst_element_set_state(pipeline_, GST_STATE_PAUSED);
        const bool done =
            gst_element_get_state(pipeline_, nullptr, nullptr, GST_CLOCK_TIME_NONE) == GST_STATE_CHANGE_SUCCESS;
        readBus();
        return done;
    }
    bool seek(GstFormat format, gint64 position, GstSeekFlags flags = GST_SEEK_FLAG_ACCURATE) {
        const bool done =
            gst_element_seek_simple(pipeline_, format, GstSeekFlags(GST_SEEK_FLAG_FLUSH | flags), position);
        gst_element_get_state(pipeline_, nullptr, nullptr, GST_CLOCK_TIME_NONE);
        return done;
    }
    bool seekFrames(gint64 first, gint64 end) {
        const bool done = gst_element_seek(pipeline_, 1.0, GST_FORMAT_DEFAULT,
                                           GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
                                           GST_SEEK_TYPE_SET, first, GST_SEEK_TYPE_SET, end);
        gst_element_get_state(pipeline_, nullptr, nullptr, GST_CLOCK_TIME_NONE);
        return done;
    }
    // The picture a paused pipeline shows.
    Bytes preroll() {
        GstSample* s = gst_app_sink_pull_preroll(sink_);
        return s != nullptr ? take(s) : Bytes();
    }
    gint64 duration(GstFormat format) {
        gint64 value = -1;
        gst_element_query_duration(pipeline_, format, &value);
        return value;
    }
    GstCaps* caps() { return gst_pad_get_current_caps(GST_BASE_SINK_PAD(GST_BASE_SINK(sink_))); }

    std::vector<std::string> errors, warnings;

private:
    static Bytes take(GstSample* s) {
        GstMapInfo map;
        GstBuffer* buffer = gst_sample_get_buffer(s);
        gst_buffer_map(buffer, &map, GST_MAP_READ);
        Bytes bytes(map.data, map.data + map.size);
        gst_buffer_unmap(buffer, &map);
        gst_sample_unref(s);
        return bytes;
    }
    void readBus() {
        GstBus* bus = gst_element_get_bus(pipeline_);
        while (GstMessage* m = gst_bus_pop_filtered(bus, GstMessageType(GST_MESSAGE_ERROR | GST_MESSAGE_WARNING)))
            record(m);
        gst_object_unref(bus);
    }
    // Keeps an error's or a warning's text; takes the message.
    void record(GstMessage* m) {
        GError* error = nullptr;
        if (GST_MESSAGE_TYPE(m) == GST_MESSAGE_ERROR) gst_message_parse_error(m, &error, nullptr);
        if (GST_MESSAGE_TYPE(m) == GST_MESSAGE_WARNING) gst_message_parse_warning(m, &error, nullptr);
        if (error != nullptr) {
            (GST_MESSAGE_TYPE(m) == GST_MESSAGE_ERROR ? errors : warnings).push_back(error->message);
            g_error_free(error);
        }
        gst_message_unref(m);
    }

    GstElement* pipeline_;
    GstAppSink* sink_;
};

Bytes pictureBytes(uint32_t number) {
    const auto& p = sample().pictures[number];
    Bytes bytes(p.size() * 2);
    for (size_t i = 0; i < p.size(); ++i) stream::storeLittleEndian<uint16_t>(&bytes[2 * i], p[i]);
    return bytes;
}

std::string decoding(const std::string& path, bool push) {
    return "filesrc location=" + path + (push ? " blocksize=1000 ! queue" : "") + " ! xqmdemux ! vk6dec";
}

class GstPlugin : public ::testing::Test {
protected:
    static void SetUpTestSuite() { gst_init(nullptr, nullptr); }
};

TEST_F(GstPlugin, DecodebinFindsTheFileAndGivesTheLibrarysPictures) {
    Pipeline p("filesrc location=" XQM_SAMPLE " ! decodebin");
    const auto pictures = p.playToEnd();
    ASSERT_EQ(pictures.size(), sample().frames.size());
    for (uint32_t n = 0; n < pictures.size(); ++n) ASSERT_EQ(pictures[n], pictureBytes(n)) << "frame " << n;
    EXPECT_TRUE(p.errors.empty());
}

TEST_F(GstPlugin, DemuxerTimesFramesAndMarksKeyUnits) {
    Pipeline p("filesrc location=" XQM_SAMPLE " ! xqmdemux");
    ASSERT_TRUE(p.pause());
    EXPECT_EQ(p.duration(GST_FORMAT_TIME), gint64(sample().frames.size()) * GST_SECOND / 15);
    EXPECT_EQ(p.duration(GST_FORMAT_DEFAULT), gint64(sample().frames.size()));
    GstCaps* caps = p.caps();
    gchar* text = gst_caps_to_string(caps);
    EXPECT_STREQ(text, "video/x-vk6, width=(int)640, height=(int)480, pixel-type=(int)16, framerate=(fraction)15/1");
    g_free(text);
    gst_caps_unref(caps);
    const auto frames = p.playToEnd();
    ASSERT_EQ(frames.size(), sample().frames.size());
    for (uint32_t n = 0; n < frames.size(); ++n) EXPECT_EQ(frames[n], sample().frames[n]);
}

// Every seek lands exactly: the picture is the one a decode from frame 0 gives.
TEST_F(GstPlugin, SeeksGiveTheFrameADecodeFromTheStartGives) {
    for (const bool push : {false, true}) {
        SCOPED_TRACE(push ? "push mode" : "pull mode");
        Pipeline p(decoding(XQM_SAMPLE, push));
        ASSERT_TRUE(p.pause());
        for (const uint32_t target : {45u, 31u, 12u, 59u, 30u, 44u}) {
            SCOPED_TRACE("frame " + std::to_string(target));
            // Half a frame in: the frame shown at that time.
            ASSERT_TRUE(p.seek(GST_FORMAT_TIME, gint64(target) * GST_SECOND / 15 + GST_SECOND / 30));
            EXPECT_EQ(p.preroll(), pictureBytes(target));
        }
        ASSERT_TRUE(p.seek(GST_FORMAT_DEFAULT, 20));
        EXPECT_EQ(p.preroll(), pictureBytes(20));
        // A key unit seek goes to the intra frame.
        ASSERT_TRUE(p.seek(GST_FORMAT_TIME, 40 * GST_SECOND / 15, GST_SEEK_FLAG_KEY_UNIT));
        EXPECT_EQ(p.preroll(), pictureBytes(30));
        // A stop ends the run there, without an error.
        ASSERT_TRUE(p.seekFrames(35, 40));
        const auto pictures = p.playToEnd();
        ASSERT_EQ(pictures.size(), 5u);
        EXPECT_EQ(pictures.back(), pictureBytes(39));
        EXPECT_TRUE(p.errors.empty()) << p.errors[0];
    }
}

// Intra frames whose copies read what the buffer held before: no start but
// frame 0 gives exact pictures, and the seek decodes from there.
TEST_F(GstPlugin, SeeksPastIntraFramesThatReadTheBufferBeforeStartAtFrameZero) {
    EXPECT_TRUE(gstreamer::startsCleanly(sample().info, sample().frames[30], sample().frames[31]));
    const auto video = decoder::test::copyVideo(16, 64, 12, 7);
    stream::StreamInfo info = sample().info;
    info.height = 64;
    EXPECT_FALSE(gstreamer::startsCleanly(info, video.frames[6], video.frames[7]));
    std::stringstream out;
    stream::StreamWriter writer(out, "copies", info, 12);
    for (const auto& frame : video.frames) writer.addFrame(frame);
    writer.finish();
    const std::string text = out.str();
    const std::string path = writeFile("copies.xqm", Bytes(text.begin(), text.end()));
    Pipeline p(decoding(path, false));
    ASSERT_TRUE(p.pause());
    ASSERT_TRUE(p.seek(GST_FORMAT_DEFAULT, 10));
    const auto& picture = video.pictures[10];
    Bytes expected(size_t(64) * format::kPictureWidth * 2);
    for (size_t i = 0; i < expected.size() / 2; ++i) stream::storeLittleEndian<uint16_t>(&expected[2 * i], picture[i]);
    EXPECT_EQ(p.preroll(), expected);
    std::remove(path.c_str());
}

// Frames stored back to front: in push mode the demuxer sends the source back.
TEST_F(GstPlugin, FramesStoredOutOfOrderPlayInBothModes) {
    std::vector<Bytes> frames(sample().frames.begin(), sample().frames.begin() + 8);
    Bytes bytes = streamOf(frames);
    // Frames 5 and then 2 once more at the end of the file, their entries
    // pointing there: the file's order is 0 1 3 4 6 7 5 2.
    for (const uint32_t moved : {5u, 2u}) {
        stream::storeLittleEndian<uint64_t>(&bytes[32 + 16 * moved], bytes.size());
        bytes.insert(bytes.end(), frames[moved].begin(), frames[moved].end());
    }
    const std::string path = writeFile("out-of-order.xqm", bytes);
    for (const bool push : {false, true}) {
        Pipeline p(decoding(path, push));
        const auto pictures = p.playToEnd();
        ASSERT_EQ(pictures.size(), 8u) << (push ? "push" : "pull");
        for (uint32_t n = 0; n < 8; ++n) EXPECT_EQ(pictures[n], pictureBytes(n));
    }
    std::remove(path.c_str());
}

// A source that cannot go back, whose first segment starts inside the file:
// the error that a frame stored too early gives still names the stream.
TEST_F(GstPlugin, PushModeErrorsNameTheStreamWhateverSegmentCameFirst) {
    std::vector<Bytes> frames(sample().frames.begin(), sample().frames.begin() + 8);
    Bytes bytes = streamOf(frames);
    stream::storeLittleEndian<uint64_t>(&bytes[32 + 16 * 2], bytes.size());  // frame 2 after frame 7
    bytes.insert(bytes.end(), frames[2].begin(), frames[2].end());

    GstElement* pipeline = gst_pipeline_new(nullptr);
    GstElement* demux = gst_element_factory_make("xqmdemux", nullptr);
    GstElement* sink = gst_element_factory_make("fakesink", nullptr);
    g_object_set(sink, "async", FALSE, "sync", FALSE, nullptr);
    gst_bin_add_many(GST_BIN(pipeline), demux, sink, nullptr);
    ASSERT_TRUE(gst_element_link(demux, sink));
    // A bare pad that answers no query and refuses every event sent up.
    GstPad* feeder = gst_pad_new("feeder", GST_PAD_SRC);
    gst_pad_set_event_function(feeder, [](GstPad*, GstObject*, GstEvent* event) {
        gst_event_unref(event);
        return gboolean(FALSE);
    });
    gst_pad_set_active(feeder, TRUE);
    GstPad* demuxSink = gst_element_get_static_pad(demux, "sink");
    ASSERT_EQ(gst_pad_link(feeder, demuxSink), GST_PAD_LINK_OK);
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    gst_pad_push_event(feeder, gst_event_new_stream_start("feeder"));
    GstSegment segment;
    gst_segment_init(&segment, GST_FORMAT_BYTES);
    for (const guint64 start : {guint64(5), guint64(0)}) {
        segment.start = segment.position = start;
        gst_pad_push_event(feeder, gst_event_new_segment(&segment));
    }
    EXPECT_EQ(gst_pad_push(feeder, gst_buffer_new_memdup(bytes.data(), bytes.size())), GST_FLOW_ERROR);

    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* message = gst_bus_pop_filtered(bus, GST_MESSAGE_ERROR);
    ASSERT_NE(message, nullptr);
    GError* error = nullptr;
    gst_message_parse_error(message, &error, nullptr);
    EXPECT_EQ(std::string(error->message).rfind("the stream: frame 3 lies before the frame before it", 0), 0u)
        << error->message;
    g_error_free(error);
    gst_message_unref(message);
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(demuxSink);
    gst_object_unref(feeder);
    gst_object_unref(pipeline);
}

// A hostile file gives an element error in the reader's words in both
// modes, and nothing comes out.
TEST_F(GstPlugin, HostileFilesGiveAnErrorInTheReadersWords) {
    const Bytes good = streamOf({sample().frames.begin(), sample().frames.begin() + 3});
    struct Case {
        const char* name;
        Bytes bytes;
        const char* words;
    };
    std::vector<Case> cases;
    cases.push_back({"short.xqm", Bytes(good.begin(), good.begin() + 20), "shorter than the 32-byte stream header"});
    Bytes magic = good;
    magic[0] = 'Y';
    cases.push_back({"magic.xqm", magic, "not an XQM6 stream"});
    Bytes count = good;
    stream::storeLittleEndian<uint32_t>(&count[24], 0x10000000);
    cases.push_back({"count.xqm", count, "past the end of the file"});
    Bytes cut(good.begin(), good.end() - 100);
    cases.push_back({"cut.xqm", cut, "frame 2: "});
    Bytes kind = good;
    kind[32 + 16 + 12] = 1;  // frame 1 flagged intra
    cases.push_back({"kind.xqm", kind, "frame 1: flagged as an intra frame"});
    cases.push_back({"empty.xqm", {}, "shorter than the 32-byte stream header"});
    for (const Case& c : cases) {
        const std::string path = writeFile(c.name, c.bytes);
        for (const bool push : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (push ? " push" : " pull"));
            Pipeline p(decoding(path, push));
            p.playToEnd();
            ASSERT_FALSE(p.errors.empty());
            EXPECT_NE(p.errors[0].find(c.words), std::string::npos) << p.errors[0];
        }
        std::remove(path.c_str());
    }
}

// A frame the decoder abandons: a warning with the frame and the block, and
// playback goes on to the end.
TEST_F(GstPlugin, DamagedFrameWarnsAndPlaysOn) {
    std::vector<Bytes> frames(sample().frames.begin(), sample().frames.begin() + 4);
    // Frame 1's control stream offset points past the frame.
    stream::storeLittleEndian<uint32_t>(&frames[1][4], 0x7fffffff);
    const std::string path = writeFile("damaged.xqm", streamOf(frames));
    Pipeline p(decoding(path, false));
    const auto pictures = p.playToEnd();
    EXPECT_EQ(pictures.size(), 4u);
    EXPECT_TRUE(p.errors.empty());
    ASSERT_EQ(p.warnings.size(), 1u);
    EXPECT_EQ(p.warnings[0].rfind("frame 1: ", 0), 0u) << p.warnings[0];
    std::remove(path.c_str());
}

}  // namespace
