#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""tools/check-includes over small trees of its own: which include graphs it takes for sound."""

import os
import subprocess
import sys
import tempfile
import unittest

CHECKER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools",
                       "check-includes")

# Each row: a tree (file -> the room paths it includes), the checker's options, whether the
# checker takes the tree for sound, and what its report must name.
# clang-format off
CASES = [
    ("RoomsInALine",
     {"app/Startup.cpp": ["calculator/wMain.h", "help/wHelp.h", "common/mGlobals.h"],
      "calculator/wMain.cpp": ["calculator/wMain.h", "common/mGlobals.h"],
      "help/wHelp.cpp": ["help/wHelp.h", "common/Version.h", "platform/Window.h"],
      "common/mGlobals.h": ["platform/Types.h"],
      "tests/app/StartupTest.cpp": ["app/Startup.h", "calculator/wMain.h", "Harness.h"]},
     [], True, []),
    ("TwoRoomsReachEachOther",
     {"app/Startup.cpp": ["calculator/wMain.h"],
      "calculator/Entry.cpp": ["app/mGlobals.h"]},
     [], False, ["app -> calculator -> app",
                 'calculator/Entry.cpp:1 includes "app/mGlobals.h"']),
    ("ACircleThroughThreeRooms",
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
      "platform/Controls.cpp": ["platform/Controls.h", "platform/testing/Recording.h"],
      "platform/testing/Recording.h": ["platform/Speech.h"]},
     ["--inside", "platform"], True, []),
    ("ABuildFolderIsNotARoom",
     {"app/Startup.cpp": ["calculator/wMain.h"],
      "build/calculator/Generated.cpp": ["app/Startup.h"]},
     [], True, []),
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

    def test_an_unknown_room_is_refused(self):
        result = run({"app/App.cpp": []}, ["--inside", "nowhere"])
        self.assertEqual(result.returncode, 2)
        self.assertIn("no room nowhere", result.stderr)


if __name__ == "__main__":
    unittest.main()
