#include "firmware/HeadlessUpdateWindow.h"

namespace karvo {

void HeadlessUpdateWindow::RunModal() {
    while (!closed_) {
        ui_.RunPending();
        if (closed_) break;
        if (timerMs_ > 0) {
            // Waiting for the bootloader: nothing else happens meanwhile.
            clock_.SleepMs(timerMs_);
            if (events_.tick) events_.tick();
        } else {
            // The sequence runs: whatever it posts, until it closes the window.
            ui_.RunUntil([this] { return closed_ || timerMs_ > 0; });
        }
    }
}

}  // namespace karvo
