// The bonus button: its looks per state, the strict hover area, the level-triggered click, the
// seconds left of a running power, its placement on the page and its run-time error.
#include "ui/box.h"

#include <gtest/gtest.h>

#include <string>

#include "game_support.h"
#include "platform/headless.h"

namespace wedgora {
namespace {

using gametest::DrivenPlatform;
using gametest::textShownAt;

constexpr Colour kBlue = 0xFF0000FF;
constexpr Colour kGreen = 0xFF00FF00;
constexpr Colour kYellow = 0xFFFFFF00;
constexpr Colour kBlack = 0xFF000000;
constexpr Colour kWhite = 0xFFFFFFFF;
constexpr Colour kMarker = 0xFF123456;  // the page before the button is drawn

class BoxTest : public ::testing::Test {
 protected:
  BoxTest() {
    platform.openScreen(18, 24, 2, 0, 0);
    platform.setWorkPage(1);
    wipe();
  }

  void wipe() {
    platform.setColour(kMarker, kMarker, kBothColours);
    platform.clear();
  }

  // The Clear button of the game: (270, 50) to (370, 70).
  std::int32_t clearButton(std::int32_t state, const std::string& caption = "Clear [C]") {
    wipe();
    return BOX(platform, 320, 50, 100, 20, caption, state, 0);
  }

  const Page& page() const { return platform.page(1); }

  DrivenPlatform platform;
};

TEST_F(BoxTest, OnlyAnAvailableButtonAnswersTheLeftButton) {
  platform.move(320, 60);
  platform.buttonDown();
  struct Case {
    std::int32_t state;
    std::int32_t result;
    Colour rim;
  };
  for (const Case& c : {Case{0, 0, kBlue}, Case{1, 1, kYellow}, Case{2, 0, kBlue},
                        Case{3, 0, kBlue}, Case{-1, 0, kBlue}}) {
    EXPECT_EQ(clearButton(c.state), c.result) << "state " << c.state;
    EXPECT_EQ(page().at(270, 50), c.rim) << "state " << c.state;
  }
}

TEST_F(BoxTest, TheHoverAreaLiesStrictlyInsideTheRim) {
  platform.buttonDown();
  struct Case {
    int x, y;
    bool inside;
  };
  const Case cases[] = {
      {270, 60, false}, {370, 60, false}, {320, 50, false}, {320, 70, false},
      {271, 51, true},  {369, 69, true},  {271, 69, true},  {369, 51, true},
      {269, 60, false}, {320, 71, false}, {5, 5, false},
  };
  for (const Case& c : cases) {
    platform.move(c.x, c.y);
    EXPECT_EQ(clearButton(1), c.inside ? 1 : 0) << c.x << ", " << c.y;
    EXPECT_EQ(page().at(270, 50), c.inside ? kYellow : kGreen) << c.x << ", " << c.y;
  }
}

TEST_F(BoxTest, HoverWithoutTheLeftButtonOnlyLightsTheRim) {
  platform.move(320, 60);
  EXPECT_EQ(clearButton(1), 0);
  EXPECT_EQ(page().at(270, 50), kYellow);
  platform.buttonDown(1);  // the right button is no click
  EXPECT_EQ(clearButton(1), 0);
}

TEST_F(BoxTest, AFailedPollIsNoClick) {
  platform.move(320, 60);
  platform.buttonDown();
  ScriptEvent leave;
  leave.kind = ScriptEvent::Kind::kLeave;
  platform.inject(leave);
  EXPECT_EQ(clearButton(1), 0);
  EXPECT_EQ(page().at(270, 50), kGreen);
}

TEST_F(BoxTest, TheClickLastsAsLongAsTheButtonIsHeld) {
  platform.move(320, 60);
  platform.buttonDown();
  for (int frame = 0; frame < 5; ++frame) EXPECT_EQ(clearButton(1), 1) << frame;
  platform.buttonUp();
  EXPECT_EQ(clearButton(1), 0);
  // A press that began elsewhere counts once the pointer comes in with it still down.
  platform.move(5, 5);
  platform.buttonDown();
  EXPECT_EQ(clearButton(1), 0);
  platform.move(300, 55);
  EXPECT_EQ(clearButton(1), 1);
}

TEST_F(BoxTest, ARimThreePixelsWideAroundABlackPanel) {
  clearButton(0, "");
  const std::pair<int, int> rim[] = {{270, 50}, {272, 52}, {370, 70}, {368, 68}, {270, 70}};
  for (auto [x, y] : rim) EXPECT_EQ(page().at(x, y), kBlue) << x << ", " << y;
  const std::pair<int, int> panel[] = {{273, 53}, {367, 67}, {320, 60}};
  for (auto [x, y] : panel) EXPECT_EQ(page().at(x, y), kBlack) << x << ", " << y;
  const std::pair<int, int> outside[] = {{269, 50}, {371, 70}, {320, 49}, {320, 71}};
  for (auto [x, y] : outside) EXPECT_EQ(page().at(x, y), kMarker) << x << ", " << y;
}

TEST_F(BoxTest, TheGameButtonsStandWhereTheyShould) {
  struct Case {
    std::int32_t x, y, height;
    const char* caption;
    int left, right, captionX;
  };
  const Case cases[] = {
      {320, 50, 20, "Clear [C]", 270, 370, 284},
      {200, 370, 30, "Freeze [Z]", 150, 250, 160},
      {440, 370, 30, "x2 [X]", 390, 490, 416},
  };
  for (const Case& c : cases) {
    wipe();
    BOX(platform, c.x, c.y, 100, c.height, c.caption, 0, 0);
    const int bottom = c.y + c.height;
    EXPECT_EQ(page().at(c.left, c.y), kBlue) << c.caption;
    EXPECT_EQ(page().at(c.right, bottom), kBlue) << c.caption;
    EXPECT_EQ(page().at(c.left - 1, c.y), kMarker) << c.caption;
    EXPECT_EQ(page().at(c.right + 1, bottom), kMarker) << c.caption;
    EXPECT_TRUE(textShownAt(page(), c.captionX, c.y + 3, c.caption, kWhite));
  }
}

TEST_F(BoxTest, HalfPixelsGoToTheEvenNeighbour) {
  // Width 25: x 100 gives 87.5 and x 101 gives 88.5, both 88; a one-character caption at
  // 88 + 12.5 - 4 = 96.5 starts at 96.
  for (std::int32_t x : {100, 101}) {
    wipe();
    BOX(platform, x, 200, 25, 20, "A", 0, 0);
    EXPECT_EQ(page().at(88, 200), kBlue) << x;
    EXPECT_EQ(page().at(87, 200), kMarker) << x;
    EXPECT_EQ(page().at(113, 220), kBlue) << x;
    EXPECT_EQ(page().at(114, 220), kMarker) << x;
    EXPECT_TRUE(textShownAt(page(), 96, 203, "A", kWhite)) << x;
  }
}

TEST_F(BoxTest, ARunningPowerShowsItsWholeSecondsLeft) {
  struct Case {
    std::int32_t frames;
    const char* text;
  };
  const Case cases[] = {
      {750, "Active! 25"}, {749, "Active! 24"}, {720, "Active! 24"},
      {719, "Active! 23"}, {29, "Active! 0"},   {0, "Active! 0"},
      {-1, "Active! -1"},  {-30, "Active! -1"}, {-31, "Active! -2"},
  };
  for (const Case& c : cases) {
    wipe();
    BOX(platform, 200, 370, 100, 30, "", 2, c.frames);
    const int x = 200 - 4 * int(std::string(c.text).size());
    EXPECT_TRUE(textShownAt(page(), x, 385, c.text, kWhite)) << c.frames;
  }
  // Other states show no second line, whatever the frames.
  for (std::int32_t state : {0, 1, 3}) {
    wipe();
    BOX(platform, 200, 370, 100, 30, "", state, 750);
    int white = 0;
    for (int y = 370; y <= 400; ++y) {
      for (int x = 150; x <= 250; ++x) white += page().at(x, y) == kWhite ? 1 : 0;
    }
    EXPECT_EQ(white, 0) << "state " << state;
  }
}

TEST(BoxDeathTest, AFailedTextStopsTheGameNamingBox) {
  HeadlessPlatform platform;  // no screen: drawing text fails
  EXPECT_EXIT(BOX(platform, 320, 50, 100, 20, "Clear [C]", 1, 0), ::testing::ExitedWithCode(1),
              "Aborting due to runtime error 1 \\(illegal function call\\) at line [0-9]+ of "
              "wedgora::BOX\\(\\)");
}

}  // namespace
}  // namespace wedgora
