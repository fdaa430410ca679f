// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Menus.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <set>

#include "platform/QtInternal.h"
#include "platform/Runtime.h"

// What the menus keep for a run: the items that hold Qt objects, which let go of them when
// the run ends, before the toolkit goes; what the application does when an item is chosen,
// and how it brings enabling up to date.
struct MenuRun {
  std::set<MenuItem*> natives;
  std::function<void(MenuItem&)> command;
  std::function<void()> enable;

  ~MenuRun() {
    for (MenuItem* item : natives) item->releaseNative();
  }
};

namespace {

// Noted where they can let go of their Qt objects before the toolkit ends; a menu built
// without the framework running ends with its own toolkit.
void NoteNatives(MenuItem* item) {
  if (auto* run = RunStateOrNull<MenuRun>()) run->natives.insert(item);
}

QKeySequence ToSequence(const String& shortcut) {
  QString text = ToQt(shortcut);
  // Cmd is the platform's command key: Ctrl here.
  text.replace("Cmd+", "Ctrl+");
  return QKeySequence(text);
}

}  // namespace

MenuItem::MenuItem() = default;

MenuItem::~MenuItem() {
  // Without the toolkit, widgets may no longer be deleted; the process is ending anyway.
  if (QCoreApplication::instance()) releaseNative();
  if (auto* run = RunStateOrNull<MenuRun>()) run->natives.erase(this);
}

void MenuItem::SetText(const String& text) {
  text_ = text;
  sync();
}

void MenuItem::SetKeyboardShortcut(const String& shortcut) {
  shortcut_ = shortcut;
  sync();
}

void MenuItem::SetEnabled(bool enabled) {
  enabled_ = enabled;
  sync();
}

void MenuItem::SetVisible(bool visible) {
  visible_ = visible;
  sync();
}

void MenuItem::Append(std::shared_ptr<MenuItem> item) {
  Checked(item, "menu item");
  children_.push_back(item);
  if (menu_) {
    menu_->addAction(item->native());
  } else if (action_) {
    ensureMenu();  // takes every child, this one too
  }
}

std::shared_ptr<MenuItem> MenuItem::Child(const String& name) const {
  for (const auto& child : children_) {
    if (child->Name() == name) return child;
  }
  return nullptr;
}

std::shared_ptr<MenuItem> MenuItem::Lookup(const String& name) const {
  for (const auto& child : children_) {
    if (child->Name() == name) return child;
    if (auto found = child->Lookup(name)) return found;
  }
  return nullptr;
}

QAction* MenuItem::native() {
  if (!action_) {
    if (children_.empty()) {
      action_ = new QAction();
      QObject::connect(action_, &QAction::triggered, action_, [this] { chosen(); });
    } else {
      ensureMenu();
    }
    NoteNatives(this);
    sync();
  }
  return action_;
}

// An item with children shows as a menu.
void MenuItem::ensureMenu() {
  if (menu_) return;
  QAction* plain = action_;
  menu_ = new QMenu();
  action_ = menu_->menuAction();
  QObject::connect(menu_, &QMenu::aboutToShow, menu_, [] { UpdateMenuItems(); });
  for (const auto& child : children_) menu_->addAction(child->native());
  NoteNatives(this);
  if (plain) {
    // A plain item already shown turns into a menu where it stands, in every menu or bar
    // that holds it.
    sync();
    for (QObject* holder : plain->associatedObjects()) {
      if (auto* widget = qobject_cast<QWidget*>(holder)) widget->insertAction(plain, action_);
    }
    delete plain;
  }
}

void MenuItem::sync() {
  if (!action_) return;
  action_->setText(ToQt(text_));
  if (menu_) menu_->setTitle(ToQt(text_));
  action_->setShortcut(ToSequence(shortcut_));
  action_->setShortcutContext(Qt::ApplicationShortcut);
  action_->setEnabled(enabled_);
  action_->setVisible(visible_);
}

void MenuItem::chosen() {
  Guarded([this] {
    UpdateMenuItems();
    if (!enabled_ || !visible_) return;
    auto* run = RunStateOrNull<MenuRun>();
    if (run && run->command) run->command(*this);
  });
}

void MenuItem::releaseNative() {
  if (menu_) {
    delete menu_;  // takes its menu action with it
  } else {
    delete action_;
  }
  menu_ = nullptr;
  action_ = nullptr;
}

namespace {

// The keyboard stays with the window's controls: a lone Alt does not move it to the bar, nor
// does leaving a menu with Escape, where typed keys would be lost.
class KeyboardlessBarStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_MenuBar_AltKeyNavigation) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

}  // namespace

QMenuBar* BuildMenuBar(MenuBar& bar, QWidget* parent) {
  auto* widget = new QMenuBar(parent);
  auto* style = new KeyboardlessBarStyle();
  style->setParent(widget);
  widget->setStyle(style);
  for (size_t i = 0; i < bar.Count(); ++i) widget->addAction(bar.Item(i)->native());
  return widget;
}

bool IsMenuShortcut(const QKeyEvent& event) {
  auto* run = RunStateOrNull<MenuRun>();
  if (!run) return false;
  QKeySequence pressed(event.keyCombination());
  for (MenuItem* item : run->natives) {
    QAction* action = item->Action();
    if (action && !action->shortcut().isEmpty() && action->isVisible() &&
        action->shortcut().matches(pressed) == QKeySequence::ExactMatch) {
      return true;
    }
  }
  return false;
}

void SetMenuCommandHandler(std::function<void(MenuItem&)> handler) {
  RunState<MenuRun>().command = std::move(handler);
}

void SetMenuEnableHandler(std::function<void()> handler) {
  RunState<MenuRun>().enable = std::move(handler);
}

void UpdateMenuItems() {
  Guarded([] {
    auto* run = RunStateOrNull<MenuRun>();
    if (run && run->enable) run->enable();
  });
}
