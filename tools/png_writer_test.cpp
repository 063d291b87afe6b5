// The PNG writer: a page read back from its file gives the same colours, alpha dropped.
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "png_writer.h"

namespace wedgora {
namespace {

std::string tempPath(const char* name) {
  return ::testing::TempDir() + name + std::to_string(::getpid()) + ".png";
}

TEST(PngWriter, ColoursSurviveTheRoundTrip) {
  Page page(7, 3, 0xFF1E1E1E);
  page.at(0, 0) = 0xFFC80000;
  page.at(6, 0) = 0x7F00C8C8;  // a dimmed pixel: the alpha byte is not written
  page.at(3, 2) = 0xFFFFFF00;
  const std::string path = tempPath("wedgora_png_");
  std::string error;
  ASSERT_TRUE(writePng(path, page, &error)) << error;

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str())) << image.message;
  EXPECT_EQ(image.width, 7u);
  EXPECT_EQ(image.height, 3u);
  EXPECT_EQ(image.format & PNG_FORMAT_FLAG_ALPHA, 0u);
  image.format = PNG_FORMAT_RGB;
  std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) << image.message;
  std::remove(path.c_str());

  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 7; ++x) {
      const std::uint8_t* p = &rgb[(std::size_t(y) * 7 + x) * 3];
      const Colour read = (Colour(p[0]) << 16) | (Colour(p[1]) << 8) | p[2];
      EXPECT_EQ(read, page.at(x, y) & 0xFFFFFF) << x << "," << y;
    }
  }
}

TEST(PngWriter, ReportsWhatFailed) {
  std::string error;
  EXPECT_FALSE(writePng("/nonexistent-folder/x.png", Page(2, 2), &error));
  EXPECT_NE(error.find("/nonexistent-folder/x.png"), std::string::npos) << error;
  EXPECT_FALSE(writePng(tempPath("wedgora_empty_"), Page(), &error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace wedgora
