// SPDX-License-Identifier: GPL-3.0-or-later
// The baseline: espeak-ng's own playback, started once, says each line of its input, as the
// espeak-ng command would, and ends at the end of its input.
#include <espeak-ng/espeak_ng.h>

#include <iostream>
#include <string>

int main() {
  espeak_ng_InitializePath(nullptr);
  espeak_ng_ERROR_CONTEXT context = nullptr;
  if (espeak_ng_Initialize(&context) != ENS_OK ||
      espeak_ng_InitializeOutput(ENOUTPUT_MODE_SPEAK_AUDIO, 0, nullptr) != ENS_OK ||
      espeak_ng_SetVoiceByName(ESPEAKNG_DEFAULT_VOICE) != ENS_OK) {
    std::cerr << "espeak-ng did not start\n";
    return 1;
  }
  for (std::string line; std::getline(std::cin, line);) {
    espeak_ng_Cancel();
    espeak_ng_Synthesize(line.c_str(), line.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_AUTO,
                         nullptr, nullptr);
  }
  espeak_ng_Terminate();
}
