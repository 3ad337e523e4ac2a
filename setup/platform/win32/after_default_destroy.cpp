#include "setup/platform/win32/after_default_destroy.h"

#include <memory>

namespace setup {
namespace {

constexpr const char* kHookProperty = "orv.afterDefaultDestroy";

struct DestroyHook {
    WNDPROC previous = nullptr;
    std::function<void()> work;
};

LRESULT CALLBACK hookedProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* hook = static_cast<DestroyHook*>(GetPropA(window, kHookProperty));
    const LRESULT result = CallWindowProcA(hook->previous, window, message, wParam, lParam);
    if (message == WM_DESTROY) {
        std::unique_ptr<DestroyHook> owned(hook);
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(owned->previous));
        RemovePropA(window, kHookProperty);
        owned->work();
    }
    return result;
}

}  // namespace

void runAfterDefaultDestroy(HWND window, std::function<void()> work) {
    auto* hook = new DestroyHook{nullptr, std::move(work)};
    SetPropA(window, kHookProperty, hook);
    hook->previous =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hookedProcedure)));
}

}  // namespace setup
