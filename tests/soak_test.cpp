// A few seeds of the randomized soak: whole sessions of random input, invariants every frame.
#include <gtest/gtest.h>

#include "soak.h"

namespace wedgora {
namespace {

class Soak : public ::testing::TestWithParam<std::uint64_t> {};

TEST_P(Soak, InvariantsHoldInEveryFrame) {
  const soak::Result result = soak::run(GetParam(), 50000);
  EXPECT_EQ(result.failure, "");
  EXPECT_GE(result.frames, 50000u);
}

INSTANTIATE_TEST_SUITE_P(Seeds, Soak, ::testing::Values(1, 2, 3, 4));

}  // namespace
}  // namespace wedgora
