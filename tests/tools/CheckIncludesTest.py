#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""tools/check-includes over small trees of its own: which include graphs, and which graphs of
calls between compiled units, it takes for sound."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

CHECKER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools",
                       "check-includes")

# Each row: a tree (file -> the folder paths it includes), the checker's options, whether the
# checker takes the tree for sound, and what its report must name.
# clang-format off
CASES = [
    ("FoldersInALine",
     {"app/Startup.cpp": ["calculator/wMain.h", "help/wHelp.h", "common/mGlobals.h"],
      "calculator/wMain.cpp": ["calculator/wMain.h", "common/mGlobals.h"],
      "help/wHelp.cpp": ["help/wHelp.h", "common/Version.h", "platform/Window.h"],
      "common/mGlobals.h": ["platform/Types.h"],
      "tests/app/StartupTest.cpp": ["app/Startup.h", "calculator/wMain.h", "Harness.h"],
      "bench/help/HelpBench.cpp": ["help/wHelp.h", "tests/harness/Harness.h"]},
     [], True, []),
    ("TwoFoldersReachEachOther",
     {"app/Startup.cpp": ["calculator/wMain.h"],
      "calculator/Entry.cpp": ["app/mGlobals.h"]},
     [], False, ["app -> calculator -> app",
                 'calculator/Entry.cpp:1 includes "app/mGlobals.h"']),
    ("ACircleThroughThreeFolders",
     {"app/App.cpp": ["help/wHelp.h"],
      "help/wHelp.cpp": ["common/HomePage.h"],
      "common/HomePage.h": ["app/App.h"]},
     [], False, ["app -> help -> common -> app"]),
    ("UnitsInACircleLeftAloneUnlessAsked",
     {"platform/Application.cpp": ["platform/Application.h", "platform/Menus.h"],
      "platform/Menus.cpp": ["platform/Menus.h", "platform/Application.h"]},
     [], True, []),
    ("UnitsInACircleWhenAsked",
     {"platform/Application.cpp": ["platform/Application.h", "platform/Menus.h"],
      "platform/Menus.cpp": ["platform/Menus.h", "platform/Application.h"]},
     ["--inside", "platform"], False,
     ["the units of platform/: Application -> Menus -> Application",
      'platform/Menus.cpp:2 includes "platform/Application.h"']),
    ("UnitsInALineWhenAsked",
     {"platform/Window.cpp": ["platform/Window.h", "platform/Controls.h"],
      "platform/Window.h": ["platform/Properties.h"],
      "platform/Controls.cpp": ["platform/Controls.h", "platform/audio/Output.h"],
      "platform/audio/Output.h": ["platform/Speech.h"]},
     ["--inside", "platform"], True, []),
    ("ABuildFolderIsNotAFolderOfTheCode",
     {"app/Startup.cpp": ["calculator/wMain.h"],
      "build/calculator/Generated.cpp": ["app/Startup.h"]},
     [], True, []),
    ("CalculatorIncludingHelp",
     {"calculator/wMain.cpp": ["calculator/wMain.h", "common/mGlobals.h", "help/wHelp.h"],
      "help/wHelp.h": ["platform/Window.h"]},
     [], False,
     ['wrong-way include: calculator -> help (calculator may include common, platform): '
      'calculator/wMain.cpp:3 includes "help/wHelp.h"']),
    ("WrongWayArrowsEachNamed",
     {"common/mGlobals.cpp": ["calculator/wMain.h"],
      "platform/Window.cpp": ["common/mGlobals.h", "platform/Window.h"],
      "help/wHelp.cpp": ["app/App.h"],
      "calculator/wMain.h": [], "app/App.h": []},
     [], False,
     ['common -> calculator (common may include platform): '
      'common/mGlobals.cpp:1 includes "calculator/wMain.h"',
      'platform -> common (platform may include no other folder): '
      'platform/Window.cpp:1 includes "common/mGlobals.h"',
      'help -> app (help may include common, platform)']),
    ("AFolderOfNoArrows",
     {"extras/Tool.cpp": ["platform/Text.h"], "platform/Text.h": []},
     [], False, ["extras -> platform (extras may include no other folder)"]),
    ("ASourceWithoutHeaderIsPartOfTheHeaderItIncludesFirst",
     {"platform/Controls.h": ["platform/Properties.h"],
      "platform/Controls.cpp": ["platform/Controls.h"],
      "platform/TextControls.cpp": ["platform/Controls.h", "platform/Menus.h"],
      "platform/Menus.cpp": ["platform/Menus.h", "platform/Controls.h"]},
     ["--inside", "platform"], False,
     ["the units of platform/: Controls -> Menus -> Controls",
      'Controls -> Menus: platform/TextControls.cpp:2 includes "platform/Menus.h"']),
]

# Each row: a tree of sources (file -> its text), whether the checker takes what the compiled
# units of platform/ call of each other for sound, and what its report must name.
CALL_CASES = [
    ("UnitsCallingDownward",
     {"platform/Low.h": "int Low();",
      "platform/Low.cpp": '#include "platform/Low.h"\nint Low() { return 1; }',
      "platform/High.h": "int High();",
      "platform/High.cpp":
          '#include "platform/High.h"\n#include "platform/Low.h"\nint High() { return Low(); }'},
     True, []),
    ("UnitsCallingEachOtherThroughAHeaderOfNeither",
     {"platform/Shared.h": "void Guarded();\nvoid DropAll();",
      "platform/Application.h": "",
      "platform/Application.cpp": '#include "platform/Application.h"\n'
                                  '#include "platform/Shared.h"\n'
                                  "void Guarded() {}\nvoid End() { DropAll(); }",
      "platform/Window.h": "",
      "platform/Window.cpp": '#include "platform/Window.h"\n#include "platform/Shared.h"\n'
                             "void DropAll() { Guarded(); }"},
     False, ["call circle between the units of platform/: Application -> Window -> Application",
             "Application -> Window: Application.cpp.o uses DropAll()",
             "Window -> Application: Window.cpp.o uses Guarded()"]),
    ("AClassBelongsToTheUnitDefiningItsFirstVirtual",
     {"platform/Controls.h": "struct Control { virtual ~Control(); };\n"
                             "struct TextControl : Control { ~TextControl() override; };\n"
                             "void Report();",
      "platform/Controls.cpp": '#include "platform/Controls.h"\nControl::~Control() {}\n'
                               "TextControl::~TextControl() { Report(); }",
      "platform/Application.h": "",
      "platform/Application.cpp": '#include "platform/Application.h"\n'
                                  '#include "platform/Controls.h"\nvoid Report() {}\n'
                                  "bool IsText(Control* c) { return dynamic_cast<TextControl*>(c); }"},
     False, ["Application -> Controls -> Application",
             "Application -> Controls: Application.cpp.o uses typeinfo for"]),
    ("ASourceWithoutHeaderIsPartOfTheHeaderItIncludesFirst",
     {"platform/Controls.h": "void Attach();\nvoid Raise();",
      "platform/Controls.cpp": '#include "platform/Controls.h"\nvoid Raise() { Attach(); }',
      "platform/ControlEvents.cpp": '#include "platform/Controls.h"\nvoid Attach() { Raise(); }'},
     True, []),
    ("ObjectsOfNoSourceOfTheFolderLeftOut",
     {"platform/Window.h": "void Show();\nvoid Generated();",
      "platform/Window.cpp": '#include "platform/Window.h"\nvoid Show() { Generated(); }',
      "build/platform/Moc.cpp": '#include "platform/Window.h"\nvoid Generated() { Show(); }'},
     True, []),
]
# clang-format on


def run(tree, options):
    with tempfile.TemporaryDirectory() as root:
        for file, included in tree.items():
            path = os.path.join(root, file)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "w") as f:
                f.writelines(f'#include "{i}"\n' for i in included)
                f.write("#include <vector>\n")
        return subprocess.run([sys.executable, CHECKER, "--root", root] + options,
                              capture_output=True, text=True)


class CheckIncludes(unittest.TestCase):
    def test_cases(self):
        for name, tree, options, sound, named in CASES:
            with self.subTest(name):
                result = run(tree, options)
                self.assertEqual(result.returncode, 0 if sound else 1, result.stdout + result.stderr)
                for text in named:
                    self.assertIn(text, result.stdout)
                if sound:
                    self.assertNotIn("circle", result.stdout)
                    self.assertNotIn("wrong-way", result.stdout)

    def test_calls(self):
        compiler = os.environ.get("CXX") or shutil.which("c++")
        if not compiler:
            self.skipTest("no C++ compiler to build the units with")
        for name, tree, sound, named in CALL_CASES:
            with self.subTest(name), tempfile.TemporaryDirectory() as root:
                objects = []
                for file, text in tree.items():
                    path = os.path.join(root, file)
                    os.makedirs(os.path.dirname(path), exist_ok=True)
                    with open(path, "w") as f:
                        f.write(text + "\n")
                    if file.endswith(".cpp"):
                        objects.append(os.path.join(root, os.path.basename(file) + ".o"))
                        subprocess.run([compiler, "-std=c++20", "-c", "-I", root, path, "-o",
                                        objects[-1]], check=True)
                result = subprocess.run([sys.executable, CHECKER, "--root", root, "--calls",
                                         "platform"] + objects, capture_output=True, text=True)
                self.assertEqual(result.returncode, 0 if sound else 1, result.stdout + result.stderr)
                for text in named:
                    self.assertIn(text, result.stdout)
                if sound:
                    self.assertNotIn("circle", result.stdout)

    def test_an_unknown_folder_is_refused(self):
        result = run({"app/App.cpp": []}, ["--inside", "nowhere"])
        self.assertEqual(result.returncode, 2)
        self.assertIn("no folder nowhere", result.stderr)

    def test_objects_of_no_source_of_the_folder_are_refused(self):
        # A build that moved its objects must not pass for having no calls at all.
        result = run({"platform/Window.cpp": []}, ["--calls", "platform", os.devnull])
        self.assertEqual(result.returncode, 2)
        self.assertIn("none of the objects was compiled from platform/", result.stderr)


if __name__ == "__main__":
    unittest.main()
