// A bare loop of 1 ms sleeps: the yardstick for a screen that polls every millisecond.
#include <chrono>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}
