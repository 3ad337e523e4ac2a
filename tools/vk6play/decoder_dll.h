#pragma once
// VK6_640x16.dll loaded by file name, as the game loads it, with its handle
// entry points found by name (called with the cdecl convention).

#include <windows.h>

#include <string>

#include "decoder/interface/handle_functions.h"

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
    // The entry points, once loaded.
    const decoder::HandleFunctions& functions() const { return functions_; }

private:
    HMODULE library_ = nullptr;
    decoder::HandleFunctions functions_{};
    std::string error_;
};

}  // namespace vk6play
