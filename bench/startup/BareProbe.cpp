// SPDX-License-Identifier: GPL-3.0-or-later
// The baseline: a bare Qt window of the calculator's size, started the same way.
#include <unistd.h>

#include <QApplication>
#include <QWidget>
#include <cstdio>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setFixedSize(525, 530);
  window.show();
  QApplication::processEvents();
  std::printf("%s\n", window.isVisible() ? "up" : "failed");
  std::fflush(stdout);
  _exit(0);
}
