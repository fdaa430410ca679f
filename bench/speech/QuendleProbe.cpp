// SPDX-License-Identifier: GPL-3.0-or-later
// Quendle's engine in a program of its own: says each line of its input as a key would, and
// ends at the end of its input. An argument sets how long its output may stay idle before it
// rests, in milliseconds.
#include <iostream>
#include <string>

#include "platform/Speech.h"

int main(int argc, char** argv) {
  auto engine = argc > 1 ? SpeechEngine::MakeDefault(AudioDevice::MakeDefault(),
                                                     std::chrono::milliseconds(std::stol(argv[1])))
                         : SpeechEngine::MakeDefault();
  for (std::string line; std::getline(std::cin, line);) engine->Speak(line, true);
}
