// The randomized soak: seeded random input drives whole sessions on the headless backend, and
// the game's invariants are checked after every frame.
#pragma once

#include <cstdint>
#include <string>

namespace wedgora::soak {

struct Result {
  std::uint64_t frames = 0;    // frame-loop page copies checked
  std::uint64_t sessions = 0;  // runs of the whole program (each ends by quitting or by
                               // running out of script)
  std::string failure;         // empty when every invariant held
};

// Plays at least `frames` frames from `seed`. A failure names the seed, the session and the
// frame, and the same seed replays it exactly.
Result run(std::uint64_t seed, std::uint64_t frames);

}  // namespace wedgora::soak
