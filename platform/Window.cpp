// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <algorithm>

#include "platform/Menus.h"
#include "platform/QtInternal.h"
#include "platform/Runtime.h"

namespace {

// The live windows of a run, front first; a window stays alive while it is open. When the run
// ends, they go without their Close event, their widgets at once.
struct LiveList {
  std::vector<std::shared_ptr<Window>> windows;

  ~LiveList() {
    for (const auto& window : windows) window->Discard();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
};

// Where the live window is in the running registry; none between runs or once it closed.
std::vector<std::shared_ptr<Window>>::iterator Position(
    const Window* window, std::vector<std::shared_ptr<Window>>& live) {
  return std::find_if(live.begin(), live.end(),
                      [window](const auto& each) { return each.get() == window; });
}

void BringToFront(const Window* window) {
  auto* run = RunStateOrNull<LiveList>();
  if (!run) return;
  auto& live = run->windows;
  auto it = Position(window, live);
  if (it != live.end()) std::rotate(live.begin(), it, it + 1);
}

}  // namespace

// The native window: a menu bar and, below it, the client area that holds the controls.
class WindowWidget : public QMainWindow {
 public:
  explicit WindowWidget(Window& owner) : owner_(&owner) {
    setAttribute(Qt::WA_QuitOnClose, false);
    setCentralWidget(new QWidget(this));
  }
  void detach() { owner_ = nullptr; }

  // Centres the frame on `at`, and again once the window manager has put its frame around it.
  void centreOn(QPoint at) {
    centre_ = at;
    framePending_ = true;
    centre();
  }

 protected:
  void closeEvent(QCloseEvent* event) override {
    if (owner_) owner_->Close();
    event->accept();
  }
  bool event(QEvent* event) override {
    // The first move after showing is the window manager putting its frame around the window.
    if (event->type() == QEvent::Move && owner_ && framePending_ &&
        frameGeometry().size() != size()) {
      framePending_ = false;
      centre();
    }
    return QMainWindow::event(event);
  }
  void changeEvent(QEvent* event) override {
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && owner_) {
      BringToFront(owner_);
    }
    QMainWindow::changeEvent(event);
  }

 private:
  void centre() {
    // move() places the frame's corner: centre the frame, title bar included. The window
    // manager makes the frame only once the window shows, so until then it is the window alone.
    QSize frame = frameGeometry().size();
    move(centre_.x() - frame.width() / 2, centre_.y() - frame.height() / 2);
  }

  Window* owner_;
  QPoint centre_;
  bool framePending_ = false;
};

Window::Window(String className) : className_(std::move(className)) {}

Window::~Window() { dropNatives(true); }

WindowWidget& Window::native() {
  if (!widget_) widget_ = new WindowWidget(*this);
  return *widget_;
}

QWidget* Window::ClientArea() { return native().centralWidget(); }

void Window::Constructor() {
  native();
  Layout();
  CreateControls();
  refresh();
  updateTabOrder();
  auto& live = RunState<LiveList>().windows;
  live.insert(live.begin(), shared_from_this());
  Guarded([this] { Event_Open(); });
  if (visible_) Show();
}

void Window::Show() {
  if (!widget_ || closing_) return;
  if (!shown_) {
    shown_ = true;
    applyPlacement();
  }
  // A minimised window comes back as it was.
  widget_->setWindowState(widget_->windowState() & ~Qt::WindowMinimized);
  widget_->show();
  widget_->raise();
  widget_->activateWindow();
  BringToFront(this);
}

void Window::Close() {
  if (closing_) return;
  closing_ = true;
  auto keep = shared_from_this();  // the registry may hold the last reference
  Guarded([this] { Event_Close(); });
  if (auto* run = RunStateOrNull<LiveList>()) {
    if (auto it = Position(this, run->windows); it != run->windows.end()) run->windows.erase(it);
  }
  dropNatives(false);
}

void Window::dropNatives(bool now) {
  for (const auto& control : controls_) control->ReleaseNative(now);
  if (!widget_) return;
  widget_->detach();
  if (now) {
    delete widget_;
  } else {
    widget_->hide();
    widget_->deleteLater();  // its own close event may be running
  }
  widget_ = nullptr;
}

void Window::Discard() {
  closing_ = true;
  dropNatives(true);
}

std::shared_ptr<Window> GetImplicitWindow(const String& className) {
  for (const auto& window : LiveWindows()) {
    if (window->ClassName() == className) return window;
  }
  return nullptr;
}

std::vector<std::shared_ptr<Window>> LiveWindows() {
  auto* run = RunStateOrNull<LiveList>();
  return run ? run->windows : std::vector<std::shared_ptr<Window>>();
}

String Window::Title() const { return title_; }

void Window::SetTitle(const String& title) {
  title_ = title;
  refresh();
}

void Window::SetMenuBar(std::shared_ptr<::MenuBar> bar) {
  menuBar_ = std::move(bar);
  installMenuBar();
}

void Window::AddControl(const String& name, std::shared_ptr<Control> control) {
  Checked(control, "control " + name).SetName(name);
  // The window seats the control's widget, so controls need not know the window's insides.
  if (auto* rect = dynamic_cast<RectControl*>(control.get()); rect && rect->NativeWidget()) {
    rect->NativeWidget()->setParent(ClientArea());
  }
  controls_.push_back(std::move(control));
}

std::shared_ptr<Control> Window::FindControl(const String& name) const {
  for (const auto& control : controls_) {
    if (control->Name() == name) return control;
  }
  return nullptr;
}

void Window::installMenuBar() {
  if (!widget_) return;
  if (QWidget* old = widget_->menuWidget()) {
    widget_->setMenuWidget(nullptr);
    delete old;
  }
  if (menuBar_) widget_->setMenuBar(BuildMenuBar(*menuBar_, widget_));
  refresh();
}

void Window::refresh() {
  if (!widget_) return;
  widget_->setWindowTitle(ToQt(title_));
  if (QWidget* bar = widget_->menuWidget()) bar->setVisible(menuBarVisible_);
  // Every window keeps the size its layout draws: the controls stay where they were put.
  ClientArea()->setFixedSize(width_, height_);
  widget_->layout()->setSizeConstraint(QLayout::SetFixedSize);
  applyBackground();
  applyFrame();
}

void Window::applyFrame() {
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (frame_.closeButton) flags |= Qt::WindowCloseButtonHint;
  if (frame_.minimizeButton) flags |= Qt::WindowMinimizeButtonHint;
  if (frame_.maximizeButton) flags |= Qt::WindowMaximizeButtonHint;
  if (widget_->windowFlags() == flags) return;
  bool visible = widget_->isVisible();
  widget_->setWindowFlags(flags);  // hides the window
  if (visible) widget_->show();
}

void Window::applyBackground() {
  QWidget* client = ClientArea();
  client->setAutoFillBackground(hasBackColor_);
  QPalette palette = client->palette();
  palette.setColor(QPalette::Window, hasBackColor_ ? ToQColor(backColor_)
                                                   : widget_->palette().color(QPalette::Window));
  client->setPalette(palette);
}

void Window::applyPlacement() {
  widget_->layout()->activate();
  if (placement_ == 0) return;  // where the desktop puts a new window
  QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  if (placement_ == 1) {
    // Over the window in front, where there is one.
    for (const auto& window : LiveWindows()) {
      if (window.get() != this && window->widget_ && window->widget_->isVisible()) {
        area = window->widget_->frameGeometry();
        break;
      }
    }
  }
  widget_->centreOn(area.center());
}

void Window::updateTabOrder() {
  std::vector<RectControl*> order;
  for (const auto& control : controls_) {
    auto* rect = dynamic_cast<RectControl*>(control.get());
    if (rect && rect->NativeWidget()) order.push_back(rect);
  }
  std::stable_sort(order.begin(), order.end(),
                   [](auto* a, auto* b) { return a->TabIndex() < b->TabIndex(); });
  for (size_t i = 1; i < order.size(); ++i) {
    QWidget::setTabOrder(order[i - 1]->NativeWidget(), order[i]->NativeWidget());
  }
}

bool Window::ApplyProperty(const String& name, const PropertyValue& value) {
  using T = Window;
  auto number = [](int32_t T::*field) {
    return [field](T& w, const PropertyValue& v) {
      w.*field = As<int32_t>(v);
      w.refresh();
    };
  };
  auto flag = [](bool T::*field) {
    return [field](T& w, const PropertyValue& v) {
      w.*field = As<bool>(v);
      w.refresh();
    };
  };
  auto frameFlag = [](bool Frame::*field) {
    return [field](T& w, const PropertyValue& v) {
      w.frame_.*field = As<bool>(v);
      w.refresh();
    };
  };
  // Codes from 0: where the desktop puts it, over the front window, centred on the screen.
  auto placement = [](T& w, const PropertyValue& v) {
    int32_t code = As<int32_t>(v);
    if (code < 0 || code > 2) throw RuntimeException("no placement " + std::to_string(code));
    w.placement_ = code;
  };
  // 0, the document window, is the one frame every window here has.
  auto frame = [](T&, const PropertyValue& v) {
    int32_t code = As<int32_t>(v);
    if (code != 0) throw RuntimeException("no frame " + std::to_string(code));
  };
  static const PropertyTable<T> table = {
      {"Placement", placement},
      {"Width", number(&T::width_)},
      {"Height", number(&T::height_)},
      // A window's size is fixed at Width by Height, so its bounds change nothing.
      {"MinWidth", Inert<int32_t, T>},
      {"MinHeight", Inert<int32_t, T>},
      {"MaxWidth", Inert<int32_t, T>},
      {"MaxHeight", Inert<int32_t, T>},
      {"Frame", frame},
      {"Composite", Inert<bool, T>},
      {"HasBackColor", flag(&T::hasBackColor_)},
      {"BackColor",
       [](T& w, const PropertyValue& v) {
         w.backColor_ = As<Color>(v);
         w.refresh();
       }},
      {"Title", [](T& w, const PropertyValue& v) { w.SetTitle(As<String>(v)); }},
      {"Visible",
       [](T& w, const PropertyValue& v) {
         w.visible_ = As<bool>(v);
         if (w.shown_ && w.widget_) w.widget_->setVisible(w.visible_);
       }},
      {"FullScreen", Inert<bool, T>},  // no window here fills the screen
      {"MenuBarVisible", flag(&T::menuBarVisible_)},
      {"CloseButton", frameFlag(&Frame::closeButton)},
      {"Resizeable", Inert<bool, T>},  // fixed, as above
      {"LiveResize", Inert<bool, T>},  // Qt always redraws while resizing
      {"MaximizeButton", frameFlag(&Frame::maximizeButton)},
      {"MinimizeButton", frameFlag(&Frame::minimizeButton)},
      {"MacProcID", Inert<int32_t, T>},
  };
  return ApplyFrom(table, *this, name, value);
}
