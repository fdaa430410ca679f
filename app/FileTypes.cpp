// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FileTypes.h"

namespace FileTypes {

std::shared_ptr<FileType> pTextPlain;

void Initialize() {
  pTextPlain = std::make_shared<FileType>();
  pTextPlain->Name = "text/plain";
  pTextPlain->Extensions =
      ".asc;.ascii;.bas;.c;.class;.cp;.cpp;.h;.hp;.hpp;.i3;.java;.m2;.m3;.mak;.text;.txt";
  pTextPlain->MacType = "TEXT";
  pTextPlain->MacCreator = "ttxt";
  // The first conversion to text declares the type to the framework.
  (void)pTextPlain->ToString();
}

}  // namespace FileTypes
