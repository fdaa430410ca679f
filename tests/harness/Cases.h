// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

// Rows of the case tables carry a `name`: it names the generated test and stands for the row
// wherever GoogleTest prints it. The rows live in their file's unnamed namespace, where
// GoogleTest looks for PrintTo.
namespace {

template <class Case>
requires requires(Case row) { row.name; }
void PrintTo(const Case& row, std::ostream* out) { *out << row.name; }

constexpr auto ByName = [](const auto& info) { return std::string(info.param.name); };

}  // namespace
