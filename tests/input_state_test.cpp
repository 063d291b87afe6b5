// The layer's input state: key queue order, the quick-press rule and the mouse's -1 rule.
#include <gtest/gtest.h>

#include "platform/input_state.h"

namespace wedgora {
namespace {

constexpr double kFrame = InputState::kQuickPressHold;

TEST(InputState, KeysComeOutInTheOrderTyped) {
  InputState in;
  for (const char* k : {"a", "B", "\xFFH", " "}) in.queueKey(k);
  EXPECT_EQ(in.readKey(), "a");
  EXPECT_EQ(in.readKey(), "B");
  EXPECT_EQ(in.readKey(), "\xFFH");
  EXPECT_EQ(in.readKey(), " ");
  EXPECT_EQ(in.readKey(), "");
}

TEST(InputState, CloseRequestQueuesTheCloseCode) {
  InputState in;
  in.closeRequest();
  EXPECT_EQ(in.readKey(), std::string("\xFF") + "k");
}

TEST(InputState, HeldKeyReadsHeldUntilReleased) {
  InputState in;
  in.keyDown(scan::kEsc, 0.0);
  EXPECT_TRUE(in.keyHeld(scan::kEsc, 0.01));
  EXPECT_TRUE(in.keyHeld(scan::kEsc, 5.0));
  in.keyUp(scan::kEsc, 5.0);
  EXPECT_FALSE(in.keyHeld(scan::kEsc, 5.001));
}

TEST(InputState, QuickTapBetweenReadsLastsOneFrameFromFirstRead) {
  InputState in;
  in.keyDown(scan::kEsc, 1.0);
  in.keyUp(scan::kEsc, 1.002);
  EXPECT_TRUE(in.keyHeld(scan::kEsc, 2.0));  // first read sees it, however late
  EXPECT_TRUE(in.keyHeld(scan::kEsc, 2.0 + kFrame * 0.99));
  EXPECT_FALSE(in.keyHeld(scan::kEsc, 2.0 + kFrame * 1.01));
}

TEST(InputState, PressSeenHeldThenReleasedIsNotStretched) {
  InputState in;
  in.mouseButton(0, true, 0.0);
  in.pointerAt(10, 10);
  EXPECT_EQ(in.pollMouse(0.1).buttons, 1);
  in.mouseButton(0, false, 0.2);
  EXPECT_EQ(in.pollMouse(0.2001).buttons, 0);
}

TEST(InputState, QuickClickIsSeenByEveryPollOfItsFrameThenReleased) {
  InputState in;
  in.pointerAt(100, 200);
  in.mouseButton(0, true, 3.0);
  in.mouseButton(0, false, 3.001);
  for (double t : {3.01, 3.02, 3.03}) EXPECT_EQ(in.pollMouse(t).buttons, 1) << t;
  EXPECT_EQ(in.pollMouse(3.01 + kFrame + 0.001).buttons, 0);
}

TEST(InputState, AClickOffThePageIsNoPressWhenThePointerComesBack) {
  InputState in;
  in.pointerLeft();
  in.mouseButton(0, true, 1.0);
  in.mouseButton(0, false, 1.01);
  in.pointerAt(220, 190);
  EXPECT_EQ(in.pollMouse(1.1).buttons, 0);
}

TEST(InputState, APressOnThePageReleasedOffItStillCounts) {
  InputState in;
  in.pointerAt(220, 190);
  in.mouseButton(0, true, 1.0);
  in.pointerLeft();
  in.mouseButton(0, false, 1.01);
  EXPECT_EQ(in.pollMouse(1.02).buttons, -1);
  in.pointerAt(220, 190);
  EXPECT_EQ(in.pollMouse(1.1).buttons, 1);  // seen for one frame: the release then clicks
  EXPECT_EQ(in.pollMouse(1.1 + kFrame + 0.001).buttons, 0);
}

TEST(InputState, ButtonsMapToBits) {
  InputState in;
  in.pointerAt(1, 2);
  in.mouseButton(1, true, 0);
  in.mouseButton(2, true, 0);
  MouseState m = in.pollMouse(0.5);
  EXPECT_EQ(m.buttons, 6);
  EXPECT_EQ(m.x, 1);
  EXPECT_EQ(m.y, 2);
  EXPECT_EQ(m.result, 0);
  EXPECT_EQ(m.clip, 0);
}

TEST(InputState, FailedPollReportsMinusOneEverywhere) {
  struct Case {
    const char* name;
    bool leave;
    bool unfocus;
  };
  for (Case c : {Case{"pointer outside", true, false}, Case{"window inactive", false, true}}) {
    InputState in;
    in.pointerAt(50, 60);
    in.mouseButton(0, true, 0);
    if (c.leave) in.pointerLeft();
    if (c.unfocus) in.focus(false);
    MouseState m = in.pollMouse(1.0);
    for (int v : {m.x, m.y, m.wheel, m.buttons, m.clip, m.result}) EXPECT_EQ(v, -1) << c.name;
  }
}

TEST(InputState, LosingFocusLetsGoOfEverything) {
  InputState in;
  in.pointerAt(5, 5);
  in.keyDown(scan::kEsc, 0);
  in.mouseButton(0, true, 0);
  in.focus(false);
  in.focus(true);
  EXPECT_FALSE(in.keyHeld(scan::kEsc, 1.0));
  EXPECT_EQ(in.pollMouse(1.0).buttons, 0);
}

TEST(InputState, OutOfRangeScanCodesAreIgnored) {
  InputState in;
  in.keyDown(-5, 0);
  in.keyDown(999, 0);
  EXPECT_FALSE(in.keyHeld(-5, 0));
  EXPECT_FALSE(in.keyHeld(999, 0));
  in.mouseButton(7, true, 0);
  in.pointerAt(0, 0);
  EXPECT_EQ(in.pollMouse(0).buttons, 0);
}

}  // namespace
}  // namespace wedgora
