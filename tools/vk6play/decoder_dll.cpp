#include "decoder_dll.h"

#include "format/decode_errors.h"

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
    if (!(find(library_, "XQMPI_CreateDecoder", create_) && find(library_, "XQMPI_DecoderDecodeFrame", decode_) &&
          find(library_, "XQMPI_DecoderLastError", lastError_) &&
          find(library_, "XQMPI_DecoderErrorText", errorText_) &&
          find(library_, "XQMPI_DecoderSetConcealment", setConcealment_) &&
          find(library_, "XQMPI_DestroyDecoder", destroy_)))
        error_ = "VK6_640x16.dll lacks the handle entry points (XQMPI_CreateDecoder and those after it)";
}

DecoderDll::~DecoderDll() {
    if (decoder_) destroy_(decoder_);
    if (library_) FreeLibrary(library_);
}

bool DecoderDll::open(int32_t type, int32_t height) {
    decoder_ = create_(type, height);
    return decoder_ && setConcealment_(decoder_, 1) == 1;
}

bool DecoderDll::decode(const std::vector<uint8_t>& frame, const uint16_t* reference, uint16_t* target) const {
    return decode_(decoder_, frame.data(), uint32_t(frame.size()), reference, target) == 1;
}

std::string DecoderDll::failure() const {
    XQMPI_ErrorReport report;
    lastError_(decoder_, &report);
    return xqm::describeFailure(report, errorText_(report.code));
}

}  // namespace vk6play
