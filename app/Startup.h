// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The program's main routine: start-up inside the framework's initialisation, then the event
// loop. Returns the exit code when the application has quit.
int32_t Main();
void Startup();
void InitFileTypes();
void NewAppInstance();
void ApplicationAddMenuHandlers();
void MakeDefaultView();
// The exit teardown of the module-level references.
void ReleaseModuleReferences();
