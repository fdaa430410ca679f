// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One run of the framework, from RunFrameworkInitialization to RuntimeExit: the toolkit and its
// message handling, the event loop, the seams, and what the platform's units keep for the run.
// A run ends what it started in reverse order, whichever way it ends, and a process may run the
// framework any number of times.

#include <exception>
#include <functional>
#include <memory>
#include <typeindex>
#include <typeinfo>

#include "platform/Exceptions.h"
#include "platform/Types.h"

// Runs the event loop until the application quits; returns the exit code.
int32_t RuntimeRun();
// Ends the framework after the program has released its own references: closes the windows,
// drops the application object and the toolkit. Returns the exit code to leave with.
int32_t RuntimeExit(int32_t code);

// Default handling of an exception that nothing caught: written to standard error and shown
// in a modal box naming its class and message; the application keeps running.
void UnhandledException(const std::exception& e);

// Asks the framework to end the application; takes effect when the running handler returns.
void Quit(int32_t code = 0);

// Quitting as a seam, so tests can see the request without ending their event loop.
class QuitService {
 public:
  virtual ~QuitService() = default;
  virtual void Quit(int32_t code) = 0;
  static std::unique_ptr<QuitService> MakeDefault();
};

// The framework's own.

// Starts a run: the message handling, then the toolkit. With no display to show windows on,
// it says so on standard error and ends the process with exit status 1; RuntimeException when
// a run is going on.
void StartRun();

// Runs framework-raised code; an exception goes to UnhandledException and never into Qt.
void Guarded(const std::function<void()>& code);

// The state of `type` in the running framework, made by `make` at its first use in the run;
// null between runs, and for one not made yet once the run is ending.
void* FindOrMakeRunState(std::type_index type, std::shared_ptr<void> (*make)());

// What a unit keeps for one run, a registry say: made at its first use in the run, ended with
// the run, the last made first, its destructor letting go of what it holds. Null between runs.
template <class State>
State* RunStateOrNull() {
  return static_cast<State*>(FindOrMakeRunState(
      typeid(State), [] { return std::shared_ptr<void>(std::make_shared<State>()); }));
}

// The same, for what cannot be done between runs: RuntimeException when none runs.
template <class State>
State& RunState() {
  if (State* state = RunStateOrNull<State>()) return *state;
  throw RuntimeException("the framework is not running");
}
