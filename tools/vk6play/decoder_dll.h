#pragma once
// VK6_640x16.dll as the game uses it: loaded by file name, its three entry
// points found by name and called with the cdecl convention.

#include <windows.h>

#include <cstdint>
#include <string>

namespace vk6play {

class DecoderDll {
 public:
  // Loads the library beside the program (the normal DLL search order);
  // error() says what failed when loaded() is false.
  DecoderDll();
  ~DecoderDll();
  DecoderDll(const DecoderDll&) = delete;
  DecoderDll& operator=(const DecoderDll&) = delete;

  bool loaded() const { return init_ && decode_ && cleanup_; }
  const std::string& error() const { return error_; }

  bool init(int32_t type, int32_t height, const char* header) const;
  bool decode(const void* frame, const uint16_t* reference, uint16_t* target) const;
  void cleanup() const;

 private:
  using InitFn = int32_t(__cdecl*)(int32_t, int32_t, int32_t, const char*);
  using DecodeFn = int32_t(__cdecl*)(const void*, const uint16_t*, uint16_t*);
  using CleanupFn = int32_t(__cdecl*)();

  HMODULE library_ = nullptr;
  InitFn init_ = nullptr;
  DecodeFn decode_ = nullptr;
  CleanupFn cleanup_ = nullptr;
  std::string error_;
};

}  // namespace vk6play
