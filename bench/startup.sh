#!/usr/bin/env bash
# Start-up cost of the GUI: (a) time from process start until the main window
# is first exposed on the screen, (b) resident memory (VmRSS) of the idle
# window a second later. `karvo --virtual` is measured beside a minimal Qt
# Widgets program (one window with a text box) built on the spot, so the
# figures can be read against what Qt itself costs on this machine.
#
#   bench/startup.sh [RUNS]        (default 5, after one warm-up run)
#
# karvo reports the moment of exposure itself when KARVO_REPORT_STARTUP is set
# (one line on standard error, wall clock in microseconds); this script notes
# the wall clock just before it starts the process. Runs under the current
# X display, else under xvfb-run, else on Qt's offscreen platform. The
# user's settings are not touched: the runs get their own config folder.
set -euo pipefail

runs=${1:-5}
root=$(cd "$(dirname "$0")/.." && pwd)
karvo=${KARVO_BIN:-$root/build/bin/karvo}

if [ -z "${DISPLAY:-}" ] && [ -z "${KARVO_BENCH_INNER:-}" ] && command -v xvfb-run >/dev/null; then
  KARVO_BENCH_INNER=1 exec xvfb-run -a -s '-screen 0 1280x1024x24' "$0" "$@"
fi
[ -n "${DISPLAY:-}" ] || export QT_QPA_PLATFORM=offscreen
if [ ! -x "$karvo" ]; then
  echo "no $karvo; build first (cmake --build --preset default)" >&2
  exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# The peer: the least a Qt Widgets window costs, reporting like karvo does.
peer=""
if command -v g++ >/dev/null && pkg-config --exists Qt6Widgets 2>/dev/null; then
  cat >"$work/peer.cpp" <<'CPP'
#include <chrono>
#include <cstdio>
#include <QApplication>
#include <QEvent>
#include <QPlainTextEdit>
#include <QWindow>
struct Watch : QObject {
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Expose && static_cast<QWindow*>(o)->isExposed()) {
      using namespace std::chrono;
      std::fprintf(stderr, "peer: window exposed at %lld us\n",
                   static_cast<long long>(duration_cast<microseconds>(
                       system_clock::now().time_since_epoch()).count()));
      o->removeEventFilter(this);
    }
    return false;
  }
};
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QPlainTextEdit window;
  window.resize(790, 534);
  window.appendPlainText(" hello");
  window.winId();
  Watch watch;
  window.windowHandle()->installEventFilter(&watch);
  window.show();
  return app.exec();
}
CPP
  # shellcheck disable=SC2046  # pkg-config's flags are meant to split
  if g++ -std=c++17 -O2 -fPIC "$work/peer.cpp" -o "$work/qt-peer" \
       $(pkg-config --cflags --libs Qt6Widgets) 2>"$work/peer.log"; then
    peer=$work/qt-peer
  else
    echo "(peer did not build; karvo alone)" >&2
  fi
fi

now_us() { local t=${EPOCHREALTIME/[.,]/}; echo "$t"; }

# One run: prints "STARTUP_MS RSS_KB MAIN_MS" (MAIN_MS: from main() to the
# exposure, as karvo counts it; "-" for the peer).
measure() {
  local err=$work/err.$RANDOM start pid exposed=""
  start=$(now_us)
  KARVO_REPORT_STARTUP=1 "$@" 2>"$err" >/dev/null &
  pid=$!
  for _ in $(seq 1 400); do
    exposed=$(sed -n 's/.*window exposed at \([0-9]*\) us.*/\1/p' "$err" | head -n 1)
    [ -n "$exposed" ] && break
    sleep 0.05
  done
  if [ -z "$exposed" ]; then
    kill "$pid" 2>/dev/null || true
    echo "the window never appeared: $*" >&2
    cat "$err" >&2
    return 1
  fi
  sleep 1  # let the idle window settle before its memory is read
  local rss main
  rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status")
  main=$(sed -n 's/.* \([0-9]*\) ms after main.*/\1/p' "$err" | head -n 1)
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo "$(((exposed - start) / 1000)) $rss ${main:--}"
}

median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

report() {  # name, command...
  local name=$1 results
  shift
  measure "$@" >/dev/null  # warm-up: loads the libraries into the page cache
  results=$(for _ in $(seq 1 "$runs"); do measure "$@"; done)
  # (sees report's results: bash functions share their caller's locals)
  column() { echo "$results" | awk -v c="$1" '{print $c}'; }
  printf '%s\n' "$name"
  printf '  start-up:   median %5s ms   runs: %s\n' "$(column 1 | median)" "$(column 1 | xargs)"
  [ "$(column 3 | head -n 1)" = "-" ] ||
    printf '  of which in main(): median %s ms   runs: %s\n' "$(column 3 | median)" "$(column 3 | xargs)"
  printf '  idle RSS:   median %5s KiB  runs: %s\n' "$(column 2 | median)" "$(column 2 | xargs)"
}

echo "platform: ${QT_QPA_PLATFORM:-xcb on $DISPLAY}; $runs runs each after one warm-up;" \
  "load average $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) CPUs"
report "karvo --virtual" "$karvo" --virtual
[ -z "$peer" ] || report "minimal Qt window" "$peer"
