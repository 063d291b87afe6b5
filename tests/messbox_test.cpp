// The message box: how it answers keys, Esc, the close request and clicks, what it ignores,
// and how the title box looks on the page.
#include "ui/messbox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game_support.h"
#include "platform/headless.h"
#include "platform/keys.h"

namespace wedgora {
namespace {

using gametest::DrivenPlatform;
using gametest::textShownAt;

constexpr Colour kGrey = 0xFF1E1E1E;
constexpr Colour kBlue = 0xFF0000FF;
constexpr Colour kBlack = 0xFF000000;
constexpr Colour kRed = 0xFFFF0000;
constexpr Colour kYellow = 0xFFFFFF00;
constexpr Colour kMarker = 0xFF123456;  // the work page before the box is drawn

MessageBoxSpec titleBoxRecord() {
  MessageBoxSpec record;
  record.x = 120;
  record.y = 90;
  record.width = 400;
  record.height = 300;
  record.lines[0] = "Wedgora";
  record.lines[1] = "v1.01 (26/10/2022)";
  record.lines[2] = "The aim of this game is to fill the pies with ";
  record.lines[4] = "a pie is completed it is then cleared.";
  record.lines[13] = "* x2 - Double points for 25 second [X]";
  record.lines[16] = "Last body line";
  record.lines[18] = "Press Space or Click to start";
  record.lines[19] = "Press Q to Exit";
  return record;
}

struct Answer {
  std::int32_t value = 0;
  double elapsed = 0;  // virtual seconds when it came
  int copies = 0;
  Page page;  // the visible page
};

// Shows the box on an open screen with this input and returns its answer. Events added at
// afterCopy(1) come while the box waits; those at afterCopy(0) come before it is shown.
Answer ask(Script script, const MessageBoxSpec& record = titleBoxRecord()) {
  DrivenPlatform platform(std::move(script));
  platform.openScreen(18, 24, 2, 0, 0);
  platform.setWorkPage(1);
  platform.setVisiblePage(0);
  platform.setColour(kMarker, kMarker, kBothColours);
  platform.clear();
  Answer answer;
  answer.value = MESSBOX(platform, record);
  answer.elapsed = platform.elapsed();
  answer.copies = platform.copies();
  answer.page = platform.page(0);
  return answer;
}

TEST(MessageBox, AnswersStartAndQuit) {
  struct Case {
    const char* name;
    std::function<void(Script&)> input;
    std::int32_t answer;
  };
  const Case cases[] = {
      {"space", [](Script& s) { s.tap(Key::of(' ')); }, 1},
      {"q", [](Script& s) { s.type("q"); }, 2},
      {"Q", [](Script& s) { s.type("Q"); }, 2},
      {"Esc tapped", [](Script& s) { s.tap(Key::esc()); }, 2},
      {"close request", [](Script& s) { s.closeRequest(); }, 2},
      {"click outside the box", [](Script& s) { s.click(600, 20); }, 1},
      {"click inside the box", [](Script& s) { s.click(320, 240); }, 1},
  };
  for (const Case& c : cases) {
    Script script;
    script.afterCopy(1);
    c.input(script);
    const Answer answer = ask(script);
    EXPECT_EQ(answer.value, c.answer) << c.name;
    EXPECT_EQ(answer.copies, 1) << c.name;  // shown once, never redrawn
  }
}

TEST(MessageBox, ExtendedKeysAreIgnored) {
  // Mended: the Left arrow (255, "K") used to become the close request when lower-cased.
  const int keys[] = {scan::kLeft,   scan::kRight,  scan::kUp,     scan::kDown,
                      scan::kHome,   scan::kEnd,    scan::kF1,     scan::kF12,
                      scan::kInsert, scan::kDelete, scan::kPageUp, scan::kPageDown};
  for (int key : keys) {
    Script script;
    script.afterCopy(1).tap(Key::extended(key));
    script.at(0.2).tap(Key::of(' '));
    EXPECT_EQ(ask(script).value, 1) << "scan code " << key;
  }
  // Ordinary keys other than the answers are ignored as well.
  Script script;
  script.afterCopy(1).type("aKk").tap(Key::enter());
  script.at(0.2).type("q");
  const Answer answer = ask(script);
  EXPECT_EQ(answer.value, 2);
  EXPECT_GE(answer.elapsed, 0.2);
}

TEST(MessageBox, KeysTypedBeforeTheBoxAreDiscarded) {
  for (const char* first : {" ", "q"}) {
    Script script;
    script.type(first);  // before the box is shown
    script.afterCopy(1).at(0.1).type(std::string(first) == " " ? "q" : " ");
    EXPECT_EQ(ask(script).value, std::string(first) == " " ? 2 : 1) << "\"" << first << "\"";
  }
}

TEST(MessageBox, EscAnswersWhenLetGo) {
  Script script;
  script.afterCopy(1).press(Key::esc());
  script.at(1.0).release(Key::esc());
  const Answer answer = ask(script);
  EXPECT_EQ(answer.value, 2);
  EXPECT_GE(answer.elapsed, 1.0);
  // Held before the box came up, it answers on its release all the same.
  Script early;
  early.press(Key::esc());
  early.afterCopy(1).at(0.5).release(Key::esc());
  const Answer late = ask(early);
  EXPECT_EQ(late.value, 2);
  EXPECT_GE(late.elapsed, 0.5);
}

TEST(MessageBox, AClickIsAPressThenARelease) {
  // A button held when the box comes up answers when let go.
  Script held;
  held.move(10, 10).buttonDown();
  held.afterCopy(1).at(0.3).buttonUp();
  const Answer first = ask(held);
  EXPECT_EQ(first.value, 1);
  EXPECT_GE(first.elapsed, 0.3);

  // Pressed inside, let go outside: answered once the pointer is back over the page.
  Script away;
  away.afterCopy(1).move(10, 10).buttonDown();
  away.at(0.2).leave();
  away.at(0.3).buttonUp();
  away.at(0.5).move(10, 10);
  const Answer second = ask(away);
  EXPECT_EQ(second.value, 1);
  EXPECT_GE(second.elapsed, 0.5);

  // The right button is no click.
  Script right;
  right.afterCopy(1).move(10, 10).buttonDown(1);
  right.at(0.2).buttonUp(1);
  right.at(0.4).type("q");
  EXPECT_EQ(ask(right).value, 2);
}

TEST(MessageBox, LaterTestsOfAPassWin) {
  // A release and "q" in one pass: the click is tested last and starts.
  Script click;
  click.afterCopy(1).move(10, 10).buttonDown();
  click.at(0.5).type("q").buttonUp();
  EXPECT_EQ(ask(click).value, 1);
  // An Esc release and a space in one pass: the Esc test comes after the space and quits.
  Script esc;
  esc.afterCopy(1).press(Key::esc());
  esc.at(0.5).tap(Key::of(' ')).release(Key::esc());
  EXPECT_EQ(ask(esc).value, 2);
}

TEST(MessageBox, TheTitleBoxOnThePage) {
  Script script;
  script.afterCopy(1).type("q");
  const Page page = ask(script).page;

  // The band spans the screen from row 30 to row 450; the rows around it keep what was there.
  for (auto [x, y] : {std::pair{0, 30}, {639, 30}, {0, 450}, {639, 450}, {60, 200}, {580, 440}}) {
    EXPECT_EQ(page.at(x, y), kGrey) << x << ", " << y;
  }
  for (auto [x, y] : {std::pair{0, 29}, {639, 29}, {0, 451}, {639, 451}, {320, 479}}) {
    EXPECT_EQ(page.at(x, y), kMarker) << x << ", " << y;
  }
  // A blue rim three pixels wide from (120, 90) to (520, 390) around a black panel.
  for (auto [x, y] :
       {std::pair{120, 90}, {520, 390}, {120, 390}, {520, 90}, {122, 92}, {518, 388}}) {
    EXPECT_EQ(page.at(x, y), kBlue) << x << ", " << y;
  }
  for (auto [x, y] : {std::pair{119, 90}, {521, 390}, {320, 89}, {320, 391}}) {
    EXPECT_EQ(page.at(x, y), kGrey) << x << ", " << y;
  }
  for (auto [x, y] : {std::pair{123, 93}, {517, 387}, {500, 200}}) {
    EXPECT_EQ(page.at(x, y), kBlack) << x << ", " << y;
  }

  // Lines 12 pixels apart from t = 96: red ones centred on the screen, yellow body lines at
  // x + 10. Lines overlap by four rows: a line with one above it is compared on rows 4..11.
  EXPECT_TRUE(textShownAt(page, 292, 96, "Wedgora", kRed, 0, 11));
  EXPECT_TRUE(textShownAt(page, 248, 108, "v1.01 (26/10/2022)", kRed, 4, 11));
  EXPECT_TRUE(textShownAt(page, 130, 132, "The aim of this game is to fill the pies with ", kYellow,
                          4, 11));
  EXPECT_TRUE(
      textShownAt(page, 130, 156, "a pie is completed it is then cleared.", kYellow, 4, 11));
  EXPECT_TRUE(
      textShownAt(page, 130, 264, "* x2 - Double points for 25 second [X]", kYellow, 4, 11));
  EXPECT_TRUE(textShownAt(page, 130, 300, "Last body line", kYellow, 4, 11));
  EXPECT_TRUE(textShownAt(page, 204, 312, "Press Space or Click to start", kRed, 4, 11));
  EXPECT_TRUE(textShownAt(page, 260, 324, "Press Q to Exit", kRed, 4, 15));

  // An empty body line leaves its rows blank (line 3 at 144 and line 5 at 168 here).
  for (int y : {148, 155, 172, 179}) {
    for (int x = 123; x <= 517; ++x) {
      ASSERT_NE(page.at(x, y), kYellow) << x << ", " << y;
    }
  }
}

TEST(MessageBox, CentredLinesFollowTheScreenNotTheBox) {
  MessageBoxSpec record = titleBoxRecord();
  record.x = 10;
  record.y = 40;
  record.width = 200;
  Script script;
  script.afterCopy(1).type("q");
  const Page page = ask(script, record).page;
  EXPECT_TRUE(textShownAt(page, 292, 46, "Wedgora", kRed, 0, 11));
  EXPECT_TRUE(
      textShownAt(page, 20, 82, "The aim of this game is to fill the pies with ", kYellow, 4, 11));
}

TEST(MessageBox, Lines17And20AreNeverDrawn) {
  Script script;
  script.afterCopy(1).type("q");
  MessageBoxSpec record = titleBoxRecord();
  const Page plain = ask(script, record).page;
  record.lines[17] = "seventeen seventeen";
  record.lines[20] = "twenty twenty twenty";
  EXPECT_TRUE(ask(script, record).page.pixels == plain.pixels);
}

TEST(MessageBox, AFreshRecordIsEmpty) {
  const MessageBoxSpec record;
  EXPECT_EQ(record.x, 0);
  EXPECT_EQ(record.y, 0);
  EXPECT_EQ(record.width, 0);
  EXPECT_EQ(record.height, 0);
  for (const std::string& line : record.lines) EXPECT_TRUE(line.empty());
}

TEST(MessageBoxDeathTest, AFailedTextStopsTheGameNamingMessbox) {
  HeadlessPlatform platform;  // no screen: drawing text fails
  EXPECT_EXIT(MESSBOX(platform, titleBoxRecord()), ::testing::ExitedWithCode(1),
              "Aborting due to runtime error 1 \\(illegal function call\\) at line [0-9]+ of "
              "wedgora::MESSBOX\\(\\)");
}

}  // namespace
}  // namespace wedgora
