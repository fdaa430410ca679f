// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/MenuBar1.h"

#include <initializer_list>

#include "platform/Exceptions.h"

namespace {

struct ItemRow {
  std::shared_ptr<MenuItem> (*make)();
  const char* name;
  const char* text;
  const char* shortcut;
};

template <class T>
std::shared_ptr<MenuItem> Make() {
  auto item = std::make_shared<T>();
  item->Constructor();
  return item;
}

// Menus and items are all made the same way: name, AutoEnable, text, shortcut, in that order.
void Describe(MenuItem& item, const char* name, const char* text, const char* shortcut) {
  item.SetName(name);
  item.SetAutoEnable(true);
  item.SetText(text);
  item.SetKeyboardShortcut(shortcut);
}

void BuildMenu(MenuBar& bar, const char* name, const char* text,
               std::initializer_list<ItemRow> items) {
  auto menu = Make<MenuItem>();
  Describe(Checked(menu, name), name, text, "");
  bar.Append(menu);
  for (const ItemRow& row : items) {
    auto item = row.make();
    Describe(Checked(item, row.name), row.name, row.text, row.shortcut);
    Checked(bar.Child(name), name).Append(item);
  }
}

}  // namespace

std::shared_ptr<MenuBar1> MenuBar1::implicitInstance;

std::shared_ptr<MenuBar1> MenuBar1::Instance() {
  if (!implicitInstance) {
    auto bar = std::make_shared<MenuBar1>();
    bar->Constructor();
    implicitInstance = bar;
  }
  return implicitInstance;
}

void MenuBar1::Release() { implicitInstance.reset(); }

void MenuBar1::Constructor() {
  Untitled1();
  Untitled2();
  Untitled3();
}

void MenuBar1::Untitled1() {
  BuildMenu(*this, "FileMenu", "&File",
            {{Make<QuitMenuItem>, "FileQuit", "Quit", "Cmd+Q"},
             {Make<AppleMenuItem>, "FileAbout", "About Quendle", ""}});
}

void MenuBar1::Untitled2() {
  BuildMenu(*this, "EditMenu", "&Edit", {{Make<MenuItem>, "EditCopy", "&Copy", "Cmd+C"}});
}

void MenuBar1::Untitled3() {
  BuildMenu(*this, "HelpMenu", "Help",
            {{Make<MenuItem>, "HelpHelp", "Quendle Help", "Cmd+H"},
             {Make<MenuItem>, "HelpAbout", "About Quendle", ""}});
}
