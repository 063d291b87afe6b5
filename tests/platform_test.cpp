// The layer's backend-neutral behaviour on the headless twin: pages, colours, title, random
// draws, the run-time error report, and scripted input timing.
#include <gtest/gtest.h>

#include <cmath>

#include "game/tables.h"
#include "platform/headless.h"
#include "platform/runtime_error.h"

namespace wedgora {
namespace {

TEST(Platform, WorkAndVisiblePagesStayApartUntilCopied) {
  HeadlessPlatform p;
  ASSERT_EQ(p.openScreen(18, 24, 2, 0, 0), 0);
  p.setWorkPage(1);
  p.setVisiblePage(0);
  p.setColour(0, 0xFF123456, kBackgroundOnly);
  p.clear();
  EXPECT_EQ(p.page(1).at(5, 5), 0xFF123456u);
  EXPECT_NE(p.page(0).at(5, 5), 0xFF123456u);
  p.copyPage();
  EXPECT_EQ(p.page(0).at(639, 479), 0xFF123456u);
  EXPECT_EQ(p.copies(), 1);
}

TEST(Platform, ScreenQueryAndFailedOpen) {
  HeadlessPlatform p;
  EXPECT_EQ(p.queryScreen().width, 0);
  ASSERT_EQ(p.openScreen(18, 24, 2, 0, 0), 0);
  EXPECT_EQ(p.queryScreen().width, 640);
  EXPECT_EQ(p.queryScreen().height, 480);

  HeadlessOptions options;
  options.failOpen = true;
  HeadlessPlatform noDisplay({}, options);
  EXPECT_NE(noDisplay.openScreen(18, 24, 2, 0, 0), 0);
  EXPECT_NE(HeadlessPlatform().openScreen(12, 24, 2, 0, 0), 0);  // only mode 18 exists
}

TEST(Platform, ColourFlagsSetOneOrBoth) {
  HeadlessPlatform p;
  p.setColour(0xFF000001, 0xFF000002, kBothColours);
  p.setColour(0xFFAAAAAA, 0xFF000003, kBackgroundOnly);
  EXPECT_EQ(p.foreground(), 0xFF000001u);
  EXPECT_EQ(p.background(), 0xFF000003u);
  p.setColour(0xFF000004, 0xFFBBBBBB, kForegroundOnly);
  EXPECT_EQ(p.foreground(), 0xFF000004u);
  EXPECT_EQ(p.background(), 0xFF000003u);
}

TEST(Platform, WithoutAScreenDrawingIsHarmlessAndTextFails) {
  HeadlessPlatform p;
  EXPECT_EQ(p.pageAddress(), nullptr);
  p.clear();
  p.line(0, 0, 10, 10);
  p.circle(5, 5, 3, 0, 6.3, true);
  p.floodFill(1, 1, 0xFFFFFFFF, 0xFF000000);
  EXPECT_NE(p.text(0, 0, "x"), 0);
  ASSERT_EQ(p.openScreen(18, 24, 2, 0, 0), 0);
  EXPECT_NE(p.pageAddress(), nullptr);
  EXPECT_EQ(p.text(0, 0, "x"), 0);
}

TEST(Platform, LockNests) {
  HeadlessPlatform p;
  p.lock();
  p.lock();
  p.unlock();
  EXPECT_EQ(p.lockDepth(), 1);
  p.unlock();
  p.unlock();
  EXPECT_EQ(p.lockDepth(), 0);
}

TEST(Platform, TitleKeepsTheFirst127Characters) {
  HeadlessPlatform p;
  p.setWindowTitle(std::string(200, 'w'));
  EXPECT_EQ(p.windowTitle().size(), 127u);
  p.setWindowTitle("Wedgora");
  EXPECT_EQ(p.windowTitle(), "Wedgora");
}

TEST(Platform, RandomDrawsStayBelowOneAndReplayFromTheSeed) {
  HeadlessPlatform a, b;
  a.seedRandom(a.timer());
  b.seedRandom(b.timer());
  double sum = 0;
  for (int i = 0; i < 100000; ++i) {
    const double r = a.random();
    ASSERT_GE(r, 0.0);
    ASSERT_LT(r, 1.0);
    ASSERT_EQ(r, b.random());
    sum += r;
  }
  EXPECT_NEAR(sum / 100000, 0.5, 0.01);
}

TEST(Platform, TimerNeverDecreasesAndSleepAdvancesIt) {
  HeadlessPlatform p;
  const double t0 = p.timer();
  EXPECT_GT(p.timer(), t0);
  const double t1 = p.timer();
  p.sleepMs(25);
  EXPECT_NEAR(p.timer() - t1, 0.025, 1e-4);
  const double t2 = p.timer();
  p.sleepMs(0);
  p.sleepMs(-40);
  EXPECT_LT(p.timer() - t2, 1e-4);
}

TEST(Headless, EventsWaitForTheirCopyAndTheirTime) {
  Script script;
  script.afterCopy(2).type("a").at(10.0).type("b");
  HeadlessPlatform p(script);
  ASSERT_EQ(p.openScreen(18, 24, 2, 0, 0), 0);
  EXPECT_EQ(p.readKey(), "");
  p.copyPage();
  EXPECT_EQ(p.readKey(), "");
  p.copyPage();
  EXPECT_EQ(p.readKey(), "a");
  EXPECT_EQ(p.readKey(), "");
  for (int i = 0; i < 9; ++i) p.sleepMs(1000);  // a wait for a timed event is no stall
  EXPECT_EQ(p.readKey(), "");
  p.sleepMs(1000);
  EXPECT_EQ(p.readKey(), "b");
}

TEST(Headless, ScriptedTapReadsAsAOneFramePress) {
  Script script;
  script.tap(Key::esc());
  HeadlessPlatform p(script);
  EXPECT_TRUE(p.keyHeld(scan::kEsc));
  p.sleepMs(20);
  EXPECT_TRUE(p.keyHeld(scan::kEsc));
  p.sleepMs(20);
  EXPECT_FALSE(p.keyHeld(scan::kEsc));
  EXPECT_EQ(p.readKey(), "\x1b");
}

TEST(Headless, KeysQueueTheirTextsAndTheCloseCode) {
  Script script;
  script.tap(Key::of('Q')).tap(Key::extended(scan::kLeft)).closeRequest().tap(Key::enter());
  HeadlessPlatform p(script);
  EXPECT_EQ(p.readKey(), "Q");
  EXPECT_EQ(p.readKey(), "\xFFK");
  EXPECT_EQ(p.readKey(), "\xFFk");
  EXPECT_EQ(p.readKey(), "\r");
  EXPECT_EQ(lowerCase("\xFFK"), "\xFFk");  // why the title box compares the raw key
}

TEST(Headless, AWaitThatCanNeverEndFailsWithTheFrameAndTime) {
  HeadlessPlatform p;
  ASSERT_EQ(p.openScreen(18, 24, 2, 0, 0), 0);
  p.copyPage();
  try {
    while (p.readKey().empty()) p.sleepMs(1);
    FAIL() << "the wait ended";
  } catch (const HeadlessStall& stall) {
    EXPECT_NE(std::string(stall.what()).find("after copy 1"), std::string::npos) << stall.what();
    EXPECT_NE(std::string(stall.what()).find("virtual time 5."), std::string::npos) << stall.what();
  }
}

TEST(Headless, AnEventWaitingForACopyThatNeverComesIsAStall) {
  Script script;
  script.afterCopy(3).type(" ");
  HeadlessPlatform p(script);
  ASSERT_EQ(p.openScreen(18, 24, 2, 0, 0), 0);
  p.copyPage();
  EXPECT_THROW(while (p.readKey().empty()) p.sleepMs(10), HeadlessStall);
}

TEST(Headless, InjectedEventsApplyAtOnce) {
  HeadlessPlatform p;
  ScriptEvent move;
  move.kind = ScriptEvent::Kind::kMove;
  move.x = 12;
  move.y = 34;
  p.inject(move);
  const MouseState m = p.pollMouse();
  EXPECT_EQ(m.x, 12);
  EXPECT_EQ(m.y, 34);
  EXPECT_EQ(m.buttons, 0);
}

TEST(Keys, ScanCodesOfTypedCharacters) {
  struct Case {
    char c;
    int code;
  };
  for (Case k : {Case{'q', scan::kQ}, Case{'Q', scan::kQ}, Case{'a', scan::kA}, Case{'z', scan::kZ},
                 Case{'1', 0x02}, Case{'0', 0x0B}, Case{' ', scan::kSpace}, Case{'p', 0x19},
                 Case{'x', 0x2D}, Case{'c', 0x2E}, Case{'m', 0x32}, Case{27, scan::kEsc},
                 Case{13, scan::kEnter}, Case{'/', scan::kSlash}, Case{'\x80', 0}}) {
    EXPECT_EQ(scancodeForChar(k.c), k.code) << int(k.c);
  }
}

TEST(RuntimeError, ReportBytes) {
  EXPECT_EQ(runtimeErrorReport(6, 42, "CHKZONE"),
            "\nAborting due to runtime error 6 (out of bounds array access) at line 42 of "
            "wedgora::CHKZONE()\n\n");
  EXPECT_EQ(runtimeErrorReport(1, 7, ""),
            "\nAborting due to runtime error 1 (illegal function call) at line 7 of "
            "wedgora::()\n\n");
  EXPECT_EQ(runtimeErrorReport(7, 1, "SCREENDIM"),
            "\nAborting due to runtime error 7 (null pointer access) at line 1 of "
            "wedgora::SCREENDIM()\n\n");
  // The buffer holds 1024 characters; a long name is cut, never overrun.
  EXPECT_EQ(runtimeErrorReport(6, 1, std::string(5000, 'n').c_str()).size(), 1023u);
}

TEST(RuntimeError, ProcedureScopesNestAndRestore) {
  EXPECT_STREQ(currentProcedure(), "");
  {
    ProcedureScope outer("CHKZONE");
    {
      ProcedureScope inner("CIRC");
      EXPECT_STREQ(currentProcedure(), "CIRC");
    }
    EXPECT_STREQ(currentProcedure(), "CHKZONE");
  }
  EXPECT_STREQ(currentProcedure(), "");
}

constexpr int kFailLine = __LINE__ + 3;
void failInside() {
  ProcedureScope scope("SHOWSEG");
  runtimeError(kIllegalFunctionCall);
}

TEST(RuntimeErrorDeathTest, ExitsWithTheErrorNumberAndTheCallersLine) {
  const int line = kFailLine;
  const std::string expected =
      "\nAborting due to runtime error 1 \\(illegal function call\\) at line " +
      std::to_string(line) + " of wedgora::SHOWSEG\\(\\)\n\n";
  EXPECT_EXIT(failInside(), ::testing::ExitedWithCode(1), expected);
}

TEST(RuntimeErrorDeathTest, CheckedTableNamesTheLineOfTheAccess) {
  auto access = [](int i) {
    ProcedureScope scope("BOX");
    Table<int, 7> table;
    return table[i];
  };
  const int line = __LINE__ - 2;
  EXPECT_EQ(access(0), 0);
  EXPECT_EQ(access(6), 0);
  for (int bad : {-1, 7}) {
    EXPECT_EXIT(access(bad), ::testing::ExitedWithCode(6),
                "runtime error 6 \\(out of bounds array access\\) at line " + std::to_string(line) +
                    " of wedgora::BOX\\(\\)\n\n$");
  }
}

}  // namespace
}  // namespace wedgora
