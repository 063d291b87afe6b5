// Tests of the built-in font: which bytes have glyphs, that glyphs differ and keep to the cell
// layout, and a specimen page to look at when glyphs are redrawn.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "platform/font.h"
#include "platform/page.h"

namespace wedgora {
namespace {

bool isEmpty(const Glyph& glyph) {
  for (std::uint8_t row : glyph) {
    if (row != 0) return false;
  }
  return true;
}

// First and last rows with ink; -1 for both when the glyph is empty.
std::pair<int, int> inkRows(const Glyph& glyph) {
  int top = -1, bottom = -1;
  for (int row = 0; row < kGlyphHeight; ++row) {
    if (glyph[row] == 0) continue;
    if (top < 0) top = row;
    bottom = row;
  }
  return {top, bottom};
}

std::string describe(int c) {
  return "character " + std::to_string(c) + " '" + char(c) + "'";
}

TEST(FontTest, EveryPrintableCharacterButSpaceHasInk) {
  EXPECT_TRUE(isEmpty(glyphFor(' ')));
  for (int c = 33; c <= 126; ++c) EXPECT_FALSE(isEmpty(glyphFor(c))) << describe(c);
}

TEST(FontTest, BytesOutsidePrintableAsciiGiveAnEmptyCell) {
  for (int c : {0, 31, 127, 200, 255}) EXPECT_TRUE(isEmpty(glyphFor(c))) << "byte " << c;
}

TEST(FontTest, DistinctCharactersHaveDistinctGlyphs) {
  for (int a = 32; a <= 126; ++a) {
    for (int b = a + 1; b <= 126; ++b) {
      EXPECT_NE(glyphFor(a), glyphFor(b)) << describe(a) << " and " << describe(b);
    }
  }
}

// Text advances 8 pixels a character and the game stacks lines 12 pixels apart, so ink must keep
// off the rightmost column and stay within a band of 12 rows, rows 3 to 14.
TEST(FontTest, InkKeepsClearOfNeighbouringCellsAndLines) {
  for (int c = 32; c <= 126; ++c) {
    const Glyph& glyph = glyphFor(c);
    for (int row = 0; row < kGlyphHeight; ++row) {
      EXPECT_EQ(glyph[row] & 0x01, 0) << describe(c) << " row " << row;
      if (row < 3 || row > 14) {
        EXPECT_EQ(glyph[row], 0) << describe(c) << " row " << row;
      }
    }
  }
}

// Letters and digits share a cap height, an x-height, a baseline and a descender depth, so a
// glyph drawn a row too high or too low shows up here.
TEST(FontTest, LettersAndDigitsSitOnTheBaseline) {
  struct Group {
    const char* characters;
    int top, bottom;
  };
  const Group groups[] = {
      {"ABCDEFGHIJKLMNOPRSTUVWXYZ0123456789", 3, 12},  // capitals and digits
      {"Q", 3, 13},                                    // its tail dips below the baseline
      {"bdfhikl", 3, 12},                              // ascenders and the dot of i
      {"t", 4, 12},                                    // t is shorter than the ascenders
      {"acemnorsuvwxz", 6, 12},                        // x-height
      {"gpqy", 6, 14},                                 // descenders
      {"j", 3, 14},                                    // dot and descender
  };
  for (const Group& group : groups) {
    for (const char* p = group.characters; *p != '\0'; ++p) {
      const auto [top, bottom] = inkRows(glyphFor(*p));
      EXPECT_EQ(top, group.top) << describe(*p);
      EXPECT_EQ(bottom, group.bottom) << describe(*p);
    }
  }
}

// Writes every character and the game's own texts, drawn with drawText, as a PPM image to look
// at after editing glyphs. Run it by hand:
//   font_test --gtest_also_run_disabled_tests --gtest_filter='*Specimen*'
// The image goes to $WEDGORA_FONT_SPECIMEN, or font_specimen.ppm in the working directory.
TEST(FontTest, DISABLED_WriteSpecimen) {
  const Colour white = 0xFFFFFFFF, yellow = 0xFFFFFF00, red = 0xFFFF0000;
  Page page(400, 290, 0xFF1E1E1E);
  std::string all;
  for (int c = 32; c <= 126; ++c) all += char(c);
  for (int line = 0; line < 3; ++line)
    drawText(page, 8, 8 + 16 * line, all.substr(32 * line, 32), white);

  // Lines 12 pixels apart, as the game stacks them.
  struct Line {
    const char* text;
    Colour colour;
  };
  const Line lines[] = {
      {"Score", red},
      {"Hi Score", red},
      {"0123456789", yellow},
      {"Wedgora", yellow},
      {"Lives", white},
      {"Press Space or Click to start", white},
      {"Active! 25", white},
      {"Clear [C]  Freeze [Z]  x2 [X]", white},
      {"Wedgora is Paused", yellow},
      {"Score: 1230", yellow},
      {"Press any key to return to the game!", yellow},
      {"Game Over", yellow},
      {"The quick brown fox jumps over the lazy dog.", white},
      {"THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG?", white},
      {"Il1|i!j O0o 5S 2Z 8B 6b 9g ({[<>]}) ~^`'\"", white},
      {"minimum wavy rhythm: 'jiggly puppy' & quips", white},
  };
  int y = 64;
  for (const Line& line : lines) {
    drawText(page, 8, y, line.text, line.colour);
    y += 12;
  }

  const char* env = std::getenv("WEDGORA_FONT_SPECIMEN");
  const std::string path = env != nullptr ? env : "font_specimen.ppm";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr) << path;
  std::fprintf(file, "P6\n%d %d\n255\n", page.width, page.height);
  for (Colour pixel : page.pixels) {
    const unsigned char rgb[3] = {static_cast<unsigned char>(pixel >> 16),
                                  static_cast<unsigned char>(pixel >> 8),
                                  static_cast<unsigned char>(pixel)};
    std::fwrite(rgb, 1, 3, file);
  }
  EXPECT_EQ(std::fclose(file), 0) << path;
}

}  // namespace
}  // namespace wedgora
