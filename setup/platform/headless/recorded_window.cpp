#include "setup/platform/headless/recorded_window.h"

namespace setup {

void RecordedWindow::setRegion(const std::vector<RowRun>& runs) {
    region = runs;
    log.push_back("region");
}

void RecordedWindow::place(int x, int y, int width, int height) {
    placement = Placement{x, y, width, height};
    log.push_back("place");
}

void RecordedWindow::setTitle(const std::string& text) {
    title = text;
    log.push_back("title");
}

void RecordedWindow::startTimer(int id, int periodMilliseconds) {
    runningTimer = id;
    timerPeriod = periodMilliseconds;
    log.push_back("timer");
}

void RecordedWindow::killTimer(int id) {
    if (runningTimer == id) runningTimer.reset();
    log.push_back("kill timer");
}

void RecordedWindow::endModal(int result) {
    endResult = result;
    log.push_back("end");
}

}  // namespace setup
