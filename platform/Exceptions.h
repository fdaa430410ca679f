// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <stdexcept>

#include "platform/Types.h"

class RuntimeException : public std::runtime_error {
 public:
  explicit RuntimeException(const String& message = "") : std::runtime_error(message) {}
  virtual String ClassName() const { return "RuntimeException"; }
};

class NilObjectException : public RuntimeException {
 public:
  explicit NilObjectException(const String& message = "") : RuntimeException(message) {}
  String ClassName() const override { return "NilObjectException"; }
};

// Every object reference is tested before use: a missing one raises NilObjectException.
template <class T>
T& Checked(const std::shared_ptr<T>& p, const String& what) {
  if (!p) throw NilObjectException(what);
  return *p;
}
