#include "tools/vk6play/decoder_dll.h"

namespace vk6play {
namespace {

// Through void (*)(), the type that converts to and from any function pointer.
template <class Fn>
bool find(HMODULE library, const char* name, Fn& entry) {
    entry = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
    return entry != nullptr;
}

}  // namespace

DecoderDll::DecoderDll() {
    library_ = LoadLibraryA("VK6_640x16.dll");
    if (!library_) {
        error_ = "cannot load VK6_640x16.dll (error " + std::to_string(GetLastError()) + ")";
        return;
    }
    decoder::HandleFunctions& f = functions_;
    if (!(find(library_, "XQMPI_CreateDecoder", f.create) && find(library_, "XQMPI_DestroyDecoder", f.destroy) &&
          find(library_, "XQMPI_DecoderSetConcealment", f.setConcealment) &&
          find(library_, "XQMPI_DecoderPictureRows", f.pictureRows) &&
          find(library_, "XQMPI_DecoderDecodeFrame", f.decodeFrame) &&
          find(library_, "XQMPI_DecoderLastError", f.lastError) &&
          find(library_, "XQMPI_DecoderErrorText", f.errorText)))
        error_ = "VK6_640x16.dll lacks the handle entry points (XQMPI_CreateDecoder and those after it)";
}

DecoderDll::~DecoderDll() {
    if (library_) FreeLibrary(library_);
}

}  // namespace vk6play
