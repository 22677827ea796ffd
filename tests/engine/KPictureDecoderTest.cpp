#include <gtest/gtest.h>

#include <SDL.h>

#include <fstream>
#include <sstream>
#include <string>

#include "engine/KPictureDecoder.h"

namespace {

std::string fileBytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A PNG whose chunk declares more bytes than the file holds is refused before libpng reads it:
// libpng would read the whole declared length, taking seconds over a damaged file.
TEST(KPictureDecoder, APngWhoseChunkRunsPastTheFileIsRefusedAtOnce) {
  const std::string png = fileBytes(std::string(TOB_BINARY_DIR) + "/data/gfx/bar.png");
  ASSERT_GT(png.size(), 40u);
  SDL_Surface *whole = KPictureDecoder::decodeSurface("bar.png", png.data(), (long)png.size());
  ASSERT_NE(whole, nullptr);
  SDL_FreeSurface(whole);

  std::string damaged = png;
  // The first chunk after the header's: its length made 2 GB.
  const size_t second = 8 + 12 + 13;
  damaged[second] = 0x7F;
  damaged[second + 1] = (char)0xFF;
  EXPECT_EQ(KPictureDecoder::decodeSurface("bar.png", damaged.data(), (long)damaged.size()), nullptr);
  EXPECT_STREQ(SDL_GetError(), "PNG chunk cut short");
  EXPECT_EQ(KPictureDecoder::decodeSurface("bar.png", png.data(), (long)png.size() - 5), nullptr);
}

} // namespace
