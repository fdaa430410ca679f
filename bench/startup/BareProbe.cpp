// SPDX-License-Identifier: GPL-3.0-or-later
// The baseline: a plain Qt window of the calculator's size with the same menu bar, holding the
// same kinds of widgets in the same places and fonts (a line edit, eighteen push buttons, a
// plain text area), started the same way.
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QFont>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <cstdio>

namespace {

QFont Face(int pixels) {
  QFont font("Geneva");
  font.setPixelSize(pixels);
  return font;
}

template <class T>
T* Place(QWidget& window, QRect where, int pixels) {
  auto* widget = new T(&window);
  widget->setGeometry(where);
  widget->setFont(Face(pixels));
  return widget;
}

}  // namespace

int main() {
  static int argc = 1;
  static char name[] = "quendle";
  static char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quendle");
  QFont::insertSubstitution("Geneva", "DejaVu Sans");
  QMainWindow top;
  top.setWindowTitle("Quendle v1.7");
  QMenu* file = top.menuBar()->addMenu("&File");
  file->addAction("Quit Quendle")->setShortcut(QKeySequence("Ctrl+Q"));
  file->addAction("About Quendle");
  top.menuBar()->addMenu("&Edit")->addAction("&Copy")->setShortcut(QKeySequence("Ctrl+C"));
  QMenu* help = top.menuBar()->addMenu("Help");
  help->addAction("Quendle Help")->setShortcut(QKeySequence("Ctrl+H"));
  help->addAction("About Quendle")->setVisible(false);
  auto* client = new QWidget(&top);
  top.setCentralWidget(client);
  QWidget& window = *client;
  window.setFixedSize(525, 530);
  top.layout()->setSizeConstraint(QLayout::SetFixedSize);
  Place<QLineEdit>(window, {3, 2, 365, 85}, 48)->setAlignment(Qt::AlignRight);
  // clang-format off
  const char* keys[4][4] = {{"7", "8", "9", "/"}, {"4", "5", "6", "x"},
                            {"1", "2", "3", "-"}, {"0", ".", "=", "+"}};
  // clang-format on
  const int columns[4] = {3, 96, 189, 281}, rows[4] = {93, 187, 281, 375};
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 4; ++column)
      Place<QPushButton>(window, {columns[column], rows[row], 87, 87}, 72)
          ->setText(keys[row][column]);
  Place<QPushButton>(window, {4, 469, 180, 47}, 36)->setText("C1");
  Place<QPushButton>(window, {188, 469, 180, 47}, 36)->setText("C2");
  Place<QPlainTextEdit>(window, {375, 3, 145, 520}, 24)->setReadOnly(true);
  top.show();
  QApplication::processEvents();
  std::printf("%s\n", top.isVisible() ? "up" : "failed");
  std::fflush(stdout);
  _exit(0);
}
