#!/usr/bin/env bash
# The logic folders build without windows: no file outside a ui/ folder may
# include a Qt Widgets or Qt Gui header. A subsystem's windows use only their
# own folder and the common one, never another subsystem's windows: the
# program (gui/) puts them together for the main window.
set -u
root=$1
failed=0
hits=$(grep -rnE '#include *<(QtWidgets|QtGui|QWidget|QMainWindow|QDialog|QApplication|QPushButton|QLabel|QMessageBox|QPainter|QIcon|QPixmap|QSoundEffect|QMediaDevices)' \
  "$root/src" "$root/cli" | grep -v '/ui/' || true)
if [ -n "$hits" ]; then
  echo "window code outside a ui/ folder:"
  echo "$hits"
  failed=1
fi
for dir in "$root"/src/*/ui; do
  subsystem=$(basename "$(dirname "$dir")")
  [ "$subsystem" = common ] && continue
  cross=$(grep -rnE '#include *"[a-z]+/ui/' "$dir" | grep -vE "\"($subsystem|common)/ui/" || true)
  if [ -n "$cross" ]; then
    echo "windows of $subsystem use another subsystem's windows:"
    echo "$cross"
    failed=1
  fi
done
[ $failed = 0 ] && echo "2 passed, 0 failed"
exit $failed
