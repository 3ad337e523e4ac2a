#pragma once
// The steps of writing a file and of putting it in another's place, and a hook
// told of each step as it begins and as it ends. Tests set the hook to stop a
// process between any two steps; the programs never set it.

namespace setup {

enum class FileStep { Open, Write, Flush, Sync, Close, Replace };

// Called before each step (done false) and after it (done true), whether the
// step worked or not.
using FileStepHook = void (*)(FileStep step, bool done);

// None unless a test sets one.
inline FileStepHook fileStepHook = nullptr;

// Runs work as that step, telling the hook, and gives work's result.
template <class Work>
auto inFileStep(FileStep step, Work&& work) {
    if (fileStepHook) fileStepHook(step, false);
    auto result = work();
    if (fileStepHook) fileStepHook(step, true);
    return result;
}

}  // namespace setup
