#include "decoder_dll.h"

namespace vk6play {
namespace {

// Through void (*)(), the type that converts to and from any function pointer.
template <class Fn>
Fn entryPoint(HMODULE library, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

}  // namespace

DecoderDll::DecoderDll() {
  library_ = LoadLibraryA("VK6_640x16.dll");
  if (!library_) {
    error_ = "cannot load VK6_640x16.dll (error " + std::to_string(GetLastError()) + ")";
    return;
  }
  init_ = entryPoint<InitFn>(library_, "XQMPI_Init");
  decode_ = entryPoint<DecodeFn>(library_, "XQMPI_DecodeFrame");
  cleanup_ = entryPoint<CleanupFn>(library_, "XQMPI_Cleanup");
  if (!loaded()) error_ = "VK6_640x16.dll lacks XQMPI_Init, XQMPI_DecodeFrame or XQMPI_Cleanup";
}

DecoderDll::~DecoderDll() {
  if (library_) FreeLibrary(library_);
}

bool DecoderDll::init(int32_t type, int32_t height, const char* header) const {
  return init_(type, height, 640, header) == 1;
}

bool DecoderDll::decode(const void* frame, const uint16_t* reference, uint16_t* target) const {
  return decode_(frame, reference, target) == 1;
}

void DecoderDll::cleanup() const { cleanup_(); }

}  // namespace vk6play
