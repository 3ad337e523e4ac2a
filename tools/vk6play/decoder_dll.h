#pragma once
// VK6_640x16.dll loaded by file name, as the game loads it, and used through
// its handle entry points (found by name, called with the cdecl convention):
// a decoder of the player's own, with concealment on.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "vk6_640x16.h"

namespace vk6play {

class DecoderDll {
 public:
  // Loads the library beside the program (the normal DLL search order);
  // error() says what failed when loaded() is false.
  DecoderDll();
  ~DecoderDll();
  DecoderDll(const DecoderDll&) = delete;
  DecoderDll& operator=(const DecoderDll&) = delete;

  bool loaded() const { return error_.empty(); }
  const std::string& error() const { return error_; }

  // Creates the decoder for a video; false when the library refuses it.
  bool open(int32_t type, int32_t height);
  // Decodes a frame; false when the decoder abandons it (from the failed
  // block on, target then shows the reference) and failure() says where and why.
  bool decode(const std::vector<uint8_t>& frame, const uint16_t* reference, uint16_t* target) const;
  std::string failure() const;

 private:
  using CreateFn = XQMPI_Decoder*(__cdecl*)(int32_t, int32_t);
  using DecodeFn = int32_t(__cdecl*)(XQMPI_Decoder*, const void*, uint32_t, const uint16_t*, uint16_t*);
  using LastErrorFn = int32_t(__cdecl*)(const XQMPI_Decoder*, XQMPI_ErrorReport*);
  using ErrorTextFn = const char*(__cdecl*)(int32_t);
  using ConcealmentFn = int32_t(__cdecl*)(XQMPI_Decoder*, int32_t);
  using DestroyFn = void(__cdecl*)(XQMPI_Decoder*);

  HMODULE library_ = nullptr;
  CreateFn create_ = nullptr;
  DecodeFn decode_ = nullptr;
  LastErrorFn lastError_ = nullptr;
  ErrorTextFn errorText_ = nullptr;
  ConcealmentFn setConcealment_ = nullptr;
  DestroyFn destroy_ = nullptr;
  XQMPI_Decoder* decoder_ = nullptr;
  std::string error_;
};

}  // namespace vk6play
