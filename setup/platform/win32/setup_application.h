#pragma once
// The application object: runs the setup window modally, once.

#include <string>

namespace setup {

class SetupApplication {
public:
    // Shows the setup window until it is closed; the process then ends with
    // exit code 0. settingsPrefix is the command-line text.
    int run(const std::string& settingsPrefix);
};

}  // namespace setup
