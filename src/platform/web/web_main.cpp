// Starts Wedgora in a browser page; the page learns how the program ended from its exit.
#include <emscripten.h>

#include <string>

#include "game/wedgora.h"
#include "platform/web/web_keys.h"
#include "platform/web/web_platform.h"

// What a browser key becomes, for the page's own checks of the key table: the text's bytes in
// hexadecimal, a space, and the scan code in decimal ("71 16" for key "q", code "KeyQ").
extern "C" EMSCRIPTEN_KEEPALIVE const char* wedgora_key_probe(const char* key, const char* code,
                                                              int control) {
  static std::string answer;
  const wedgora::BrowserKey mapped = wedgora::browserKey(key, code, control != 0);
  static const char kDigits[] = "0123456789abcdef";
  answer.clear();
  for (unsigned char c : mapped.text) {
    answer += kDigits[c >> 4];
    answer += kDigits[c & 15];
  }
  answer += ' ' + std::to_string(mapped.scancode);
  return answer.c_str();
}

namespace {
wedgora::WebPlatform* g_platform = nullptr;
}

// The page's drill for a run-time error: the game stops at its next input poll with the
// report for this error number, and the page must show the report.
extern "C" EMSCRIPTEN_KEEPALIVE void wedgora_fail_drill(int code) {
  if (g_platform) g_platform->failAtNextPoll(code);
}

int main() {
  wedgora::WebPlatform platform;
  g_platform = &platform;
  const int code = wedgora::runWedgora(platform);
  platform.closeScreen();
  g_platform = nullptr;
  return code;
}
