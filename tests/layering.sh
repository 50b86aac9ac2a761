#!/usr/bin/env bash
# The logic folders build without windows: no file outside a ui/ folder may
# include a Qt Widgets or Qt Gui header.
set -u
root=$1
hits=$(grep -rnE '#include *<(QtWidgets|QtGui|QWidget|QMainWindow|QDialog|QApplication|QPushButton|QLabel|QMessageBox|QPainter|QIcon|QPixmap|QSoundEffect|QMediaDevices)' \
  "$root/src" "$root/cli" | grep -v '/ui/' || true)
if [ -n "$hits" ]; then
  echo "window code outside a ui/ folder:"
  echo "$hits"
  exit 1
fi
echo "1 passed, 0 failed"
