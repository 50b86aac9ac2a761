#pragma once

class QWidget;

namespace karvo::ui {

// With KARVO_REPORT_STARTUP set in the environment, writes one line to
// standard error when window is first exposed on the screen:
//   karvo: window exposed at EPOCH_US us, MAIN_MS ms after main
// EPOCH_US is the wall clock in microseconds, for a caller that noted when it
// started the process; MAIN_MS counts from mainEnteredUs (MonotonicUs() at the
// top of main). Does nothing otherwise.
void ReportStartupWhenExposed(QWidget& window, long long mainEnteredUs);

// A monotonic clock in microseconds.
long long MonotonicUs();

}  // namespace karvo::ui
