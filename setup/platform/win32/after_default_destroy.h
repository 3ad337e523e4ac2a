#pragma once
// Runs work once a window's own handling of WM_DESTROY, default processing
// included, is over: a dialog procedure sees the message before its default
// processing, so work that must follow it hooks the window procedure instead.

#include <windows.h>

#include <functional>

namespace setup {

// Wraps the window procedure of `window` until its WM_DESTROY has been
// handled, then unwraps it and runs `work` once.
void runAfterDefaultDestroy(HWND window, std::function<void()> work);

}  // namespace setup
