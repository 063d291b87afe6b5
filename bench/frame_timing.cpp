// Plays one game in the real window with no input and reports how evenly the frames came.
//
// The real frame loop runs over the real SDL backend; a thin subclass records the time of every
// page copy and answers the screens itself (space on the title, space on the game-over screen,
// "q" on the next title), so no command line or environment variable is added to the game.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "game/wedgora.h"
#include "platform/sdl/sdl_platform.h"

namespace {

class TimedPlatform : public wedgora::SdlPlatform {
 public:
  std::vector<double> copyTimes;
  int titles = 0;

 protected:
  void present(const wedgora::Page& page) override {
    SdlPlatform::present(page);
    copyTimes.push_back(timer());
  }
  void pumpEvents() override {
    SdlPlatform::pumpEvents();
    // The title box and the game-over screen each copy once and then wait: answer them.
    const std::size_t copies = copyTimes.size();
    if (copies != lastCopies_) {
      lastCopies_ = copies;
      waitingSince_ = timer();
    } else if (copies != answered_ && timer() - waitingSince_ > 0.3) {
      answered_ = copies;
      ++titles;
      input().queueKey(titles == 3 ? "q" : " ");
    }
  }

 private:
  std::size_t lastCopies_ = 0;
  std::size_t answered_ = 0;
  double waitingSince_ = 0;
};

}  // namespace

int main() {
  TimedPlatform platform;
  const auto start = std::chrono::steady_clock::now();
  const int code = wedgora::runWedgora(platform);
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  // The game's frames are the copies between the title's copy and the game-over copy.
  std::vector<double>& t = platform.copyTimes;
  if (t.size() < 10) {
    std::fprintf(stderr, "only %zu page copies\n", t.size());
    return 1;
  }
  std::vector<double> intervals;
  for (std::size_t i = 2; i + 2 < t.size(); ++i) intervals.push_back(t[i] - t[i - 1]);
  const double span = t[t.size() - 3] - t[1];
  std::vector<double> sorted = intervals;
  std::sort(sorted.begin(), sorted.end());
  auto percentile = [&](double p) {
    return sorted[std::min(sorted.size() - 1, std::size_t(p * double(sorted.size())))];
  };
  std::printf("frames %zu over %.2f s: %.3f frames per second\n", intervals.size(), span,
              double(intervals.size()) / span);
  std::printf("frame interval ms: median %.2f, p90 %.2f, p99 %.2f, max %.2f\n",
              percentile(0.5) * 1e3, percentile(0.9) * 1e3, percentile(0.99) * 1e3,
              sorted.back() * 1e3);
  std::printf("wall %.2f s, exit code %d\n", wall, code);
  return code;
}
