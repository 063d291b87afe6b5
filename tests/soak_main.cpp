// The long soak: wedgora_soak [frames] [first seed] [seeds] plays that many frames per seed.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "soak.h"

int main(int argc, char** argv) {
  const unsigned long long frames = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
  const unsigned long long first = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
  const unsigned long long seeds = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1;
  int failures = 0;
  for (unsigned long long seed = first; seed < first + seeds; ++seed) {
    const auto start = std::chrono::steady_clock::now();
    const wedgora::soak::Result r = wedgora::soak::run(seed, frames);
    const double s =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("seed %llu: %llu frames in %llu sessions, %.1f s: %s\n", seed,
                (unsigned long long)r.frames, (unsigned long long)r.sessions, s,
                r.failure.empty() ? "ok" : r.failure.c_str());
    failures += !r.failure.empty();
  }
  return failures == 0 ? 0 : 1;
}
