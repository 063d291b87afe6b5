// Fixed-size tables whose every access is checked against the table's bounds.
//
// An index outside 0..Size-1 stops the program with the run-time error report for error 6,
// naming the current procedure and the source line of the access.
#pragma once

#include <array>

#include "platform/runtime_error.h"

namespace wedgora {

// A table index that remembers the source line where it was used.
struct Index {
  int value;
  int line;
  // Implicit on purpose: `table[i]` records the line of that very expression.
  Index(int v, int l = __builtin_LINE()) : value(v), line(l) {}  // NOLINT
};

template <typename T, int Size>
class Table {
 public:
  T& operator[](Index i) { return items_[checked(i)]; }
  const T& operator[](Index i) const { return items_[checked(i)]; }
  static constexpr int size() { return Size; }

 private:
  static std::size_t checked(Index i) {
    if (i.value < 0 || i.value >= Size) runtimeError(kOutOfBounds, i.line);
    return std::size_t(i.value);
  }
  std::array<T, Size> items_{};
};

}  // namespace wedgora
