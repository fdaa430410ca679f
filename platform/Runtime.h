// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The registries of one run of the framework, shared between the platform's own files; never
// included above platform/. They belong to the runtime that RunFrameworkInitialization starts
// and RuntimeExit ends, so none outlives the toolkit whose objects it points at.

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

// Incomplete here, so that Files, which keeps its types in these registries, can include this.
class FileType;
class MenuItem;
class QWidget;
class RectControl;
class Window;

struct Registries {
  // The live windows, front first. A window stays alive while it is open.
  std::vector<std::shared_ptr<Window>> windows;
  // The control behind each widget that a control made.
  std::map<const QWidget*, RectControl*> widgetControls;
  // Items that hold Qt objects, so they can let go of them before the toolkit ends.
  std::set<MenuItem*> menuItems;
  // What the application does when an item is chosen, and how it brings enabling up to date.
  std::function<void(MenuItem&)> menuCommand;
  std::function<void()> menuEnable;
  std::vector<FileType> fileTypes;
};

// The registries of the running framework; none between runs.
Registries* Running();
// The same, for what cannot be done between runs: RuntimeException when none runs.
Registries& Registry();
