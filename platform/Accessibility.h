// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Lays the controls' rules over the widgets' accessibility interfaces. The toolkit puts its
// own factory first again with every QApplication, so once per run, after it starts.
void InstallAccessibleRules();
