/* VK6_640x16: decoder of "XQM6" video frames into 16-bit RGB pictures 640
 * pixels wide. Pictures hold 8 x max(1, ceil(height / 8)) rows of 640 pixels.
 * The XQMPI_Init, XQMPI_DecodeFrame and XQMPI_DecodeFrameBounded entry points
 * share one decoder per process and must be called from one thread at a time;
 * the XQMPI_*Decoder* entry points work on decoders of their own, one per
 * handle, so several videos can be decoded at once. */
#ifndef VK6_640X16_H
#define VK6_640X16_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32)
#define XQMPI_CALL __cdecl
#if defined(VK6_BUILDING_LIBRARY)
#define XQMPI_EXPORT
#else
#define XQMPI_EXPORT __declspec(dllimport)
#endif
#else
#define XQMPI_CALL
#define XQMPI_EXPORT __attribute__((visibility("default")))
#endif

/* Prepares the decoder for a video. type: 15 for 5-5-5 pixels, 16 for 5-6-5;
 * height: even; width: 640; header: the zero-terminated magic "XQM6" (any
 * letter case). Returns 1, or 0 for the first argument that fails, leaving an
 * earlier initialisation in place. */
XQMPI_EXPORT int32_t XQMPI_CALL XQMPI_Init(int32_t type, int32_t height, int32_t width, const char* header);

/* Decodes one frame into target; reference is the previous picture (read only,
 * a different buffer). Copies from target may read parts of it the frame has
 * not decoded yet: they find what target held before the call. A video's
 * pictures are those of two buffers used by turns, both all zero at first,
 * each frame decoded into the one holding the picture before the previous.
 * Every stream of the frame must be readable to its end plus 4 bytes. Returns
 * 1 for a frame decoded whole, 0 before a successful XQMPI_Init or when the
 * frame is abandoned at a malformed block (target keeps what was decoded up
 * to it, and past it what it held before). */
XQMPI_EXPORT int32_t XQMPI_CALL XQMPI_DecodeFrame(const void* frame, const uint16_t* reference, uint16_t* target);

/* As XQMPI_DecodeFrame for a frame of frameSize bytes: nothing past its end is
 * read. The frame is also abandoned when a header offset lies outside it or a
 * stream is used past its end (the frame's end; the nibble end for the nibble
 * stream), where earlier versions read zeros and decoded the rest. As with
 * any failed block, the pieces of that block decoded before the failure (here
 * from zeros) stay written; a DCT block is not written. */
XQMPI_EXPORT int32_t XQMPI_CALL XQMPI_DecodeFrameBounded(const void* frame, uint32_t frameSize,
                                                         const uint16_t* reference, uint16_t* target);

/* Releases nothing and returns 1. */
XQMPI_EXPORT int32_t XQMPI_CALL XQMPI_Cleanup(void);

/* A decoder of its own for one video. Handles share nothing: each may be used
 * from its own thread, and one handle from one thread at a time. */
typedef struct XQMPI_Decoder XQMPI_Decoder;

/* Creates a decoder for a video of pixel type 15 (5-5-5) or 16 (5-6-5) and an
 * even height (whose picture rows fit 32 bits), ready to decode. Returns a
 * handle to pass to XQMPI_DestroyDecoder, or null for a rejected argument or
 * a lack of memory. */
XQMPI_EXPORT XQMPI_Decoder* XQMPI_CALL XQMPI_CreateDecoder(int32_t type, int32_t height);

/* Rows of each picture buffer of the decoder's video: 8 x max(1, ceil(height /
 * 8)), each of 640 pixels; the first `height` rows are the picture. 0 for a
 * null handle. */
XQMPI_EXPORT int32_t XQMPI_CALL XQMPI_DecoderPictureRows(const XQMPI_Decoder* decoder);

/* Decodes a frame of frameSize bytes into target; reference is the picture the
 * previous frame decoded to (read only, a different buffer; an intra frame
 * does not read it and it may be null there). Target's undecoded parts are
 * read as XQMPI_DecodeFrame reads them, so it should hold the picture before
 * the previous one (all zero for the first two frames). Nothing past the
 * frame's end is read, and frames are abandoned as by XQMPI_DecodeFrameBounded.
 * Returns 1 for a frame decoded whole, 0 for a frame abandoned (target keeps
 * what was decoded up to the failed block, and past it what it held before,
 * or with concealment on the reference) or a null argument; either way
 * XQMPI_DecoderLastError tells what happened. */
XQMPI_EXPORT int32_t XQMPI_CALL XQMPI_DecoderDecodeFrame(XQMPI_Decoder* decoder, const void* frame, uint32_t frameSize,
                                                         const uint16_t* reference, uint16_t* target);

/* Why and where the last decode on a handle abandoned its frame. Streams are
 * numbered XQMPI_STREAM_*; pieces by their width and height, 10 x width +
 * height (88, 84, 48, 44, 42, 24, 22), and inside their block as the code tree
 * numbers them: halves 0-1, quarters 0-3, strips 0-7, cells 0-15 (an 8x8
 * piece is number 0). docs/decoder-errors.md says what each code means. */
typedef struct XQMPI_ErrorReport {
    int32_t code; /* XQMPI_ERROR_* */
    int32_t x;    /* the failed 8x8 block's top-left pixel; -1 for the frame as a whole */
    int32_t y;
    int32_t pieceShape; /* the failed piece's shape; 0 when the error is not a piece's */
    int32_t pieceIndex; /* its number inside the block; -1 when the error is not a piece's */
    int32_t stream;     /* the stream whose reader decoding stopped in */
    uint32_t offset;    /* from the frame's start: where that reader's last used unit begins (a
                           control word, vector word, spiral index pair, nibble byte or header word) */
} XQMPI_ErrorReport;

enum {
    XQMPI_ERROR_NONE = 0,                /* the frame was decoded whole */
    XQMPI_ERROR_NULL_ARGUMENT = 1,       /* a null decoder, frame or target */
    XQMPI_ERROR_NOT_INITIALISED = 2,     /* (the process-wide decoder before XQMPI_Init) */
    XQMPI_ERROR_HEADER_OFFSET = 3,       /* a stream offset outside 0..frame size, or the nibble end before its start */
    XQMPI_ERROR_NO_REFERENCE = 4,        /* a predicted frame given no reference picture */
    XQMPI_ERROR_NOT_A_CODE = 5,          /* the control bits 1111 in a predicted frame's block */
    XQMPI_ERROR_COPY_OUTSIDE = 6,        /* a copy's source reaches outside its picture buffer */
    XQMPI_ERROR_COEFFICIENT_PAST_63 = 7, /* a DCT block writes past coefficient position 63 */
    XQMPI_ERROR_TOO_MANY_SKIPS = 8,      /* a DCT block skips past position 128 */
    XQMPI_ERROR_CONTROL_PAST_END = 9,    /* control bits used past the frame's end */
    XQMPI_ERROR_VECTOR_PAST_END = 10,    /* vector words used past the frame's end */
    XQMPI_ERROR_SPIRAL_PAST_END = 11,    /* spiral indices used past the frame's end */
    XQMPI_ERROR_NIBBLE_PAST_END = 12     /* nibbles used past the nibble end */
};

enum {
    XQMPI_STREAM_HEADER = 0,
    XQMPI_STREAM_CONTROL = 1,
    XQMPI_STREAM_VECTOR = 2,
    XQMPI_STREAM_SPIRAL = 3,
    XQMPI_STREAM_NIBBLE = 4
};

/* Fills *report (when not null) with the report of the last decode on the
 * handle and returns its code: XQMPI_ERROR_NONE after a frame decoded whole or
 * before any decode; XQMPI_ERROR_NULL_ARGUMENT for a null handle. A report of
 * no error has x = y = -1, no piece, stream 0 and offset 0. */
XQMPI_EXPORT int32_t XQMPI_CALL XQMPI_DecoderLastError(const XQMPI_Decoder* decoder, XQMPI_ErrorReport* report);

/* A short English text for an error code; a fixed text for a code not listed.
 * The text is static. */
XQMPI_EXPORT const char* XQMPI_CALL XQMPI_DecoderErrorText(int32_t code);

/* Turns concealment on (non-zero) or off (0, the default). With it on, when a
 * frame is abandoned and a reference given, every pixel of target from the
 * failed block on (the block and the rest of its block row, then every block
 * row below) is copied from the reference, so the picture is the last good one
 * with the blocks decoded before the failure on top; for an error of the frame
 * as a whole, all of it (but nothing for a null frame or target). The decode
 * still returns 0. Returns 1, or 0 for a null handle. */
XQMPI_EXPORT int32_t XQMPI_CALL XQMPI_DecoderSetConcealment(XQMPI_Decoder* decoder, int32_t on);

/* Frees the decoder; null is allowed. */
XQMPI_EXPORT void XQMPI_CALL XQMPI_DestroyDecoder(XQMPI_Decoder* decoder);

#ifdef __cplusplus
}
#endif

#endif
