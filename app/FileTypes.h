// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "platform/Files.h"

namespace FileTypes {

extern std::shared_ptr<FileType> pTextPlain;

// Makes and declares the plain-text document type.
void Initialize();

}  // namespace FileTypes
