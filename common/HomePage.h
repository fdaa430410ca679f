// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Types.h"

// The product's home page: shown and opened by the help window's and the about box's links,
// and named in the start-up version message.
inline const String HomePageURL = "https://quendle.org/";
