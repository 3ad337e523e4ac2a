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
 * read, and stream data past its end reads as zero. */
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
 * frame's end is read. Returns 1 for a frame decoded whole, 0 for a frame
 * abandoned at a malformed block (target keeps what was decoded up to it, and
 * past it what it held before) or a null argument. */
XQMPI_EXPORT int32_t XQMPI_CALL XQMPI_DecoderDecodeFrame(XQMPI_Decoder* decoder, const void* frame,
                                                         uint32_t frameSize, const uint16_t* reference,
                                                         uint16_t* target);

/* Frees the decoder; null is allowed. */
XQMPI_EXPORT void XQMPI_CALL XQMPI_DestroyDecoder(XQMPI_Decoder* decoder);

#ifdef __cplusplus
}
#endif

#endif
