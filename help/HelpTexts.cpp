// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/HelpTexts.h"

#include "platform/Application.h"
#include "platform/Files.h"

namespace {

// One shipped text: its file and its cache. The flag is never reset, so a failed load is not
// retried and a file changed on disk later does not change the text.
struct ShippedText {
  ShippedText(const char* name) : fileName(name) {}
  const char* fileName;
  String permaText;
  bool loaded = false;
};

ShippedText texts[] = {
    {"ReadMeFirstMac0.txt"}, {"ReadMeFirstMac1.txt"}, {"ReadMeFirstMac2.txt"},
    {"ReadMeFirstMac3.txt"}, {"ReadMeFirstMac4.txt"}, {"ReadMeFirst6.txt"},
    {"ReadMeFirst7.txt"},    {"ReadMeFirstMac8.txt"},
};

const String& Load(ShippedText& item) {
  if (item.loaded) return item.permaText;
  // Before any file-system work: whatever happens below, the load is not tried again.
  item.loaded = true;
  auto executable = Checked(GetAppObject(), "application object").ExecutableFile();
  auto binFolder = Checked(executable, "executable file").Parent();
  auto appFolder = Checked(binFolder, "folder of the executable").Parent();
  auto resources = Checked(appFolder, "application folder").Child("Resources");
  if (!resources || !resources->Directory()) return item.permaText;
  auto file = resources->Child(item.fileName);
  auto stream = Checked(file, item.fileName).OpenAsTextFile();
  if (!stream) return item.permaText;
  item.permaText = stream->ReadAll();
  stream->Close();
  return item.permaText;
}

}  // namespace

const String& ReadMeFirstMac0() { return Load(texts[0]); }
const String& ReadMeFirstMac1() { return Load(texts[1]); }
const String& ReadMeFirstMac2() { return Load(texts[2]); }
const String& ReadMeFirstMac3() { return Load(texts[3]); }
const String& ReadMeFirstMac4() { return Load(texts[4]); }
const String& ReadMeFirst6() { return Load(texts[5]); }
const String& ReadMeFirst7() { return Load(texts[6]); }
const String& ReadMeFirstMac8() { return Load(texts[7]); }

void ReleaseHelpTexts() {
  for (ShippedText& item : texts) item.permaText = String();
}

void ForgetHelpTexts() {
  for (ShippedText& item : texts) item = ShippedText(item.fileName);
}
