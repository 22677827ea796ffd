#include "support/GLTestWindow.h"
#include "engine/KGraphic.h"
#include "engine/KTgaWriter.h"
#include "engine/KText.h"
#include "support/FakePicture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// Each glyph's x1 names it: 'a' is at 0, 'b' at 20 and so on. The first record's height (12) is
// the line height.
KFont testTable[] = {
    {'a', 0, 0, 7, 11, 10, 12},   {'b', 20, 0, 27, 11, 10, 12}, {'c', 40, 0, 47, 11, 10, 12},
    {' ', 60, 0, 60, 0, 5, 12},   {'W', 80, 0, 109, 11, 30, 12}, {'-', 120, 0, 125, 11, 6, 12},
    {'1', 140, 0, 147, 11, 8, 12}, {'2', 160, 0, 167, 11, 8, 12}, {'0', 180, 0, 187, 11, 8, 12},
    {0, 0, 0, 0, 0, 0, 0}};

char glyphAt(float x1) {
  for (const KFont *f = testTable; f->c; ++f)
    if (f->x1 == x1) return f->c;
  return '?';
}

class KTextArithmetic : public ::testing::Test {
protected:
  // A recording picture, so the pen arithmetic runs without a window.
  void SetUp() override {
    FakePicture::clear();
    text.setKGraphic(FakePicture::make());
    text.setFontTable(testTable);
  }
  void TearDown() override { FakePicture::clear(); }
  static std::vector<PictureCall> blits() { return FakePicture::blits(); }
  static void clearBlits() { FakePicture::calls().clear(); }
  // The tint the picture was last given.
  static PictureCall colour() {
    const std::vector<PictureCall> &calls = FakePicture::calls();
    for (auto c = calls.rbegin(); c != calls.rend(); ++c)
      if (c->op == "color") return *c;
    return PictureCall();
  }
  std::string drawn() const {
    std::string s;
    for (const PictureCall &b : blits()) s += glyphAt(b.x1);
    return s;
  }
  std::vector<int> xs() const {
    std::vector<int> v;
    for (const PictureCall &b : blits()) v.push_back(b.x);
    return v;
  }
  KText text;  // owns the picture
};

TEST_F(KTextArithmetic, WidthsCountSpacingAfterEveryGlyphSkipUnknownCharactersAndReadUtf8) {
  EXPECT_FLOAT_EQ(text.getStringWidth("ab", 2), 24);
  EXPECT_FLOAT_EQ(text.getStringWidth("a\xe9?b", 0), 20);
  EXPECT_FLOAT_EQ(text.getNCharWidth("abc", 2, 1), 22);
  EXPECT_FLOAT_EQ(text.getNCharWidth("ab", 50, 0), 20);
  EXPECT_FLOAT_EQ(text.getNCharWidth("ab", 0, 0), -1);
  EXPECT_FLOAT_EQ(text.getStringWidth("", 0), -1);
  EXPECT_FLOAT_EQ(text.getStringWidth(nullptr, 0), -1);
  text.setSpaceAdjustment(7);
  EXPECT_FLOAT_EQ(text.getStringWidth("a b", 0), 25);
  EXPECT_EQ(text.getCharIndex('W'), 4);
  EXPECT_EQ(text.getCharIndex('z'), -1);

  KText empty;
  EXPECT_FLOAT_EQ(empty.getStringWidth("ab", 0), -1);
  EXPECT_EQ(empty.getCharIndex('a'), -1);
  EXPECT_EQ(empty.drawMultiline("ab", 0, 100, 40, 0, 0), 40);

  // UTF-8: the names' font draws Latin-1 letters, others as '?', a
  // no-break space as a space, a zero-width one as nothing; a word too wide is cut before a letter.
  KText game;
  game.setKGraphic(FakePicture::make());
  game.setFontTable(gameFontTable);
  EXPECT_GT(game.getStringWidth("Zo\xC3\xAB", 0), game.getStringWidth("Zo", 0));
  EXPECT_FLOAT_EQ(game.getStringWidth("Zo\xC5\x99", 0), game.getStringWidth("Zo?", 0));
  EXPECT_FLOAT_EQ(game.getStringWidth("Z\xC2\xA0o\xE2\x80\x8B", 0), game.getStringWidth("Z o", 0));
  game.drawStringFromRight("\xC3\xAB\xC5\x99", 100, 0, 0);
  EXPECT_EQ(blits().size(), 2u);
  char word[] = "\xC3\xAB\xC3\xAB\xC3\xAB";
  sStringInfo info = {0, 0};
  EXPECT_FALSE(game.findStringMatchWidth(word, (long)game.getStringWidth("\xC3\xAB", 0) + 1, &info, 0));
  EXPECT_EQ(info.end, 2);
}

TEST_F(KTextArithmetic, LeftPenIsAFloatTruncatedPerGlyph) {
  text.setColor(0.25f, 0.5f, 0.75f, 0.5f);
  text.drawStringFromLeft("aaaa", 100, 7, 0.5f);
  EXPECT_EQ(xs(), (std::vector<int>{100, 110, 121, 131}));
  EXPECT_EQ(blits()[0].y, 7);
  // Rectangles are inclusive: blitted up to x2 + 1, y2 + 1.
  EXPECT_FLOAT_EQ(blits()[0].x2, 8);
  EXPECT_FLOAT_EQ(blits()[0].y2, 12);
  EXPECT_FLOAT_EQ(colour().r, 0.25f);
  EXPECT_FLOAT_EQ(colour().a, 0.5f);

  clearBlits();
  text.setSpaceAdjustment(3);
  text.drawStringFromLeft("a\xe9 b", 0, 0, 2);
  EXPECT_EQ(drawn(), "a b");
  EXPECT_EQ(xs(), (std::vector<int>{0, 12, 22}));
}

TEST_F(KTextArithmetic, RightAndCentredAlignmentIgnoreTheSpaceAdjustment) {
  text.setSpaceAdjustment(50);
  text.drawStringFromRight("a b", 100, 0, 1);
  EXPECT_EQ(drawn(), "b a");
  EXPECT_EQ(xs(), (std::vector<int>{89, 83, 72}));

  text.setSpaceAdjustment(0);
  clearBlits();
  text.drawStringCentered("ab", 0, 101, 0, 0);  // (101 - 20) / 2 = 40.5
  EXPECT_EQ(xs(), (std::vector<int>{40, 50}));

  clearBlits();
  text.drawStringCentered("\xe9\xe9", 0, 100, 0, 0);
  EXPECT_TRUE(blits().empty());
}

TEST_F(KTextArithmetic, NumbersAndCountedPrefix) {
  text.drawStringFromLeft(-120L, 0, 0, 0);
  EXPECT_EQ(drawn(), "-120");
  clearBlits();
  text.drawStringFromRight(20L, 100, 0, 0);
  EXPECT_EQ(drawn(), "02");
  EXPECT_EQ(xs(), (std::vector<int>{92, 84}));

  // Integer pen, rectangle without the +1, and a count past the end stays inside the text.
  clearBlits();
  text.drawNCharFromLeft("abc", 1000, 5, 9, 0.5f);
  EXPECT_EQ(drawn(), "abc");
  EXPECT_EQ(xs(), (std::vector<int>{5, 15, 25}));
  EXPECT_FLOAT_EQ(blits()[0].x2, 7);
}

TEST_F(KTextArithmetic, LineBreaker) {
  char t[] = "ab cab\ncc";
  sStringInfo info = {0, 0};
  EXPECT_FALSE(text.findStringMatchWidth(t, 45, &info, 0));
  EXPECT_EQ(info.end, 2);  // "ab ca" already fills 45: break at the space
  info = {3, 0};
  EXPECT_FALSE(text.findStringMatchWidth(t, 1000, &info, 0));
  EXPECT_EQ(info.end, 6);
  EXPECT_EQ(t[6], ' ');  // the newline that ended the line became a space
  // A word wider than the box is cut where it overflows; the last character is taken whole.
  char w[] = "abcabc";
  info = {0, 0};
  EXPECT_FALSE(text.findStringMatchWidth(w, 35, &info, 0));
  EXPECT_EQ(info.end, 3);
  info = {3, 0};
  EXPECT_TRUE(text.findStringMatchWidth(w, 25, &info, 0));
  EXPECT_EQ(info.end, 6);
}

TEST_F(KTextArithmetic, MultilineLinesAndHeights) {
  text.setYSpacing(3);
  text.setSpaceAdjustment(9);
  EXPECT_EQ(text.drawMultiline("abc\nabc", 0, 1000, 10, 0, 0), 40);  // newline breaks though both fit
  EXPECT_EQ(drawn(), "abcabc");
  EXPECT_EQ(blits()[3].y, 25);
  clearBlits();
  text.drawStringFromLeft("a b", 0, 0, 0);
  EXPECT_EQ(blits().back().x, 15);  // the layout reset the space adjustment

  clearBlits();
  EXPECT_EQ(text.drawMultiline("ab\n\nc", 0, 1000, 0, 1, 0), 30);  // no empty line
  EXPECT_EQ(drawn(), "bac");
  EXPECT_EQ(xs(), (std::vector<int>{990, 980, 990}));

  clearBlits();
  EXPECT_EQ(text.drawMultiline("a", 0, 1000, 0, 2, 0), 15);
  EXPECT_EQ(xs(), (std::vector<int>{495}));
  clearBlits();
  EXPECT_EQ(text.drawMultiline("ab ab ab", 0, 30, 0, 4, 0), 45);
  EXPECT_TRUE(blits().empty());
  EXPECT_EQ(text.drawMultiline("", 0, 30, 7, 0, 0), 7);
}

TEST_F(KTextArithmetic, JustifiedLinesReachTheRightEdge) {
  // Lines "ab c ab", "ca bc a", "ab ca b": 67 wide each with spacing 1 in a box of 70.
  long y = text.drawJustifiedMultilineText("ab c ab ca bc a ab ca b", 10, 80, 0, 1);
  EXPECT_EQ(y, 36);
  std::vector<std::vector<int>> lines(3);
  for (const PictureCall &b : blits()) lines.at(b.y / 12).push_back(b.x);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(lines[i].front(), 10);
    EXPECT_EQ(lines[i].back() + 11, 80) << "line " << i;  // pen after the last glyph
  }
  EXPECT_EQ(lines[0], (std::vector<int>{10, 21, 32, 39, 50, 58, 69}));
  EXPECT_EQ(lines[2], (std::vector<int>{10, 21, 32, 38, 49, 60, 66}));  // last line unstretched

  clearBlits();
  text.drawJustifiedMultilineText("abcabcabc", 0, 35, 0, 0);  // one word: cut, never stretched
  EXPECT_EQ(xs(), (std::vector<int>{0, 10, 20, 0, 10, 20, 0, 10, 20}));
}

TEST_F(KTextArithmetic, LongTextsStayInBounds) {
  std::string longText;
  for (int i = 0; i < 1200; ++i) longText += "abc ";
  longText += std::string(900, 'b');  // 5700 characters, the last word alone longer than 511
  EXPECT_EQ(text.drawMultiline(longText.c_str(), 0, 100000, 0, 0, 0), 12);
  EXPECT_EQ(blits().size(), 1200u * 4 + 900);

  clearBlits();
  EXPECT_GT(text.drawJustifiedMultilineText(longText.c_str(), 0, 200, 0, 0), 12 * 100);
  size_t letters = 0;
  for (const PictureCall &b : blits()) letters += b.x1 != 60;
  EXPECT_EQ(letters, 1200u * 3 + 900);
}

class KTextDrawTest : public GLTestWindow {};

TEST_F(KTextDrawTest, DrawsGlyphsFromAFontPicture) {
  // 24 x 8 picture: 'a' red above blue at 0..7, 'b' green left of white at 8..15, and a
  // transparent space at 16..23. The halves catch a mirrored or upside-down glyph.
  const int w = 24, h = 8;
  std::vector<unsigned char> bgra(w * h * 4, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < 16; ++x) {
      unsigned char *p = &bgra[(y * w + x) * 4];  // blue, green, red, alpha
      if (x < 8)
        p[y < 4 ? 2 : 0] = 255;
      else if (x < 12)
        p[1] = 255;
      else
        p[0] = p[1] = p[2] = 255;
      p[3] = 255;
    }
  const std::string path = std::string(TOB_BINARY_DIR) + "/ktext_font.tga";
  ASSERT_EQ(KTgaWriter::write(path.c_str(), bgra.data(), w, h), 0);
  static KFont font[] = {
      {'a', 0, 0, 7, 7, 10, 8}, {'b', 8, 0, 15, 7, 10, 8}, {' ', 16, 0, 23, 7, 5, 8}, {0, 0, 0, 0, 0, 0, 0}};

  KText text(path.c_str(), font);
  ASSERT_GT(text.getKGraphicPtr()->getWidth(), 0);
  text.drawStringFromLeft("ab a", 100, 50, 0);
  text.setColor(0, 1, 1, 1);  // a tint without red
  text.drawStringFromRight("ab", 300, 50, 0);
  savePNG((std::string(TOB_BINARY_DIR) + "/ktext_draw.png").c_str());

  const uint32_t red = rgba(255, 0, 0), blue = rgba(0, 0, 255), green = rgba(0, 255, 0),
                 white = rgba(255, 255, 255), black = rgba(0, 0, 0), cyan = rgba(0, 255, 255);
  EXPECT_TRUE(near(pixel(100, 50), red));
  EXPECT_TRUE(near(pixel(107, 53), red));
  EXPECT_TRUE(near(pixel(100, 54), blue));
  EXPECT_TRUE(near(pixel(107, 57), blue));
  EXPECT_TRUE(near(pixel(108, 53), black));
  EXPECT_TRUE(near(pixel(100, 58), black));
  EXPECT_TRUE(near(pixel(110, 53), green));
  EXPECT_TRUE(near(pixel(114, 53), white));
  EXPECT_TRUE(near(pixel(117, 57), white));
  EXPECT_TRUE(near(pixel(122, 53), black));  // the space is blitted, but transparent
  EXPECT_TRUE(near(pixel(125, 51), red));
  EXPECT_TRUE(near(pixel(132, 56), blue));
  EXPECT_TRUE(near(pixel(133, 53), black));
  // Tinted and right-aligned: 'a' at 280, 'b' at 290, ending at 300.
  EXPECT_TRUE(near(pixel(283, 51), black));
  EXPECT_TRUE(near(pixel(283, 56), blue));
  EXPECT_TRUE(near(pixel(291, 53), green));
  EXPECT_TRUE(near(pixel(297, 53), cyan));
  EXPECT_TRUE(near(pixel(300, 53), black));

  // A font whose picture is cut short is named to the player and draws nothing, not a bar
  // where each letter would be.
  std::ifstream whole(path, std::ios::binary);
  std::string cut((std::istreambuf_iterator<char>(whole)), std::istreambuf_iterator<char>());
  cut.resize(cut.size() / 2);
  const std::string cutPath = std::string(TOB_BINARY_DIR) + "/ktext_font_cut.tga";
  std::ofstream(cutPath, std::ios::binary) << cut;
  messages().clear();
  KText damaged(cutPath.c_str(), font);
  damaged.drawStringFromLeft("ab a", 100, 150, 0);
  damaged.drawStringCentered("ab", 100, 300, 150, 0);
  for (int x = 95; x < 320; ++x) EXPECT_TRUE(near(pixel(x, 153), black)) << x;
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_NE(messages()[0].find(cutPath + "\n(TGA pixel data cut short)"), std::string::npos) << messages()[0];
}

}  // namespace
