#include <gtest/gtest.h>

#include <string>

#include "support/GLTestWindow.h"
#include "engine/KGraphic.h"
#include "engine/KText.h"
#include "media/CFontSeznam.h"

namespace {

class FontSeznamTest : public GLTestWindow {
protected:
  void SetUp() override {
    GLTestWindow::SetUp();
    KMiscTools::setApplicationFolder(TOB_BINARY_DIR);
  }
  static float pictureWidth(KText *t) { return t && t->getKGraphicPtr() ? t->getKGraphicPtr()->getWidth() : -1.0f; }
};

TEST_F(FontSeznamTest, TheLastAddedFontIsActiveUntilChosenByExactName) {
  CFontSeznam fonts;
  EXPECT_EQ(fonts.getAktivniFont(), nullptr);
  EXPECT_EQ(fonts.getAktivniFontNazev(), "");
  fonts.setAktivniFont("big");
  EXPECT_EQ(fonts.getAktivniFont(), nullptr);

  fonts.addFont("big", "data\\gfx\\font1big.png", bigFontTable);
  KText *big = fonts.getAktivniFont();
  ASSERT_NE(big, nullptr);
  EXPECT_GT(pictureWidth(big), 0.0f) << "the backslash path is resolved beside the application";
  fonts.addFont("small", std::string(TOB_BINARY_DIR) + "/data\\gfx\\smallfont.tga", smallFontTable);
  KText *small = fonts.getAktivniFont();
  EXPECT_NE(small, big);
  EXPECT_EQ(fonts.getAktivniFontNazev(), "small");
  EXPECT_GT(pictureWidth(small), 0.0f) << "an absolute path keeps its place, slashes fixed";

  fonts.setAktivniFont("Big");
  fonts.setAktivniFont("big ");
  fonts.setAktivniFont("none");
  EXPECT_EQ(fonts.getAktivniFont(), small);
  fonts.setAktivniFont("big");
  EXPECT_EQ(fonts.getAktivniFont(), big);
  EXPECT_EQ(fonts.getAktivniFontNazev(), "big");
}

TEST_F(FontSeznamTest, DuplicateNamesSelectTheFirstAndMissingPicturesStillAddAFont) {
  CFontSeznam fonts;
  fonts.addFont("bed", "data\\gfx\\bedfont.png", bedFontTable);
  KText *first = fonts.getAktivniFont();
  fonts.addFont("bed", "data\\gfx\\missing_font.png", bedFontTable);
  KText *second = fonts.getAktivniFont();
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, first);
  EXPECT_LE(pictureWidth(second), 0.0f);
  fonts.setAktivniFont("bed");
  EXPECT_EQ(fonts.getAktivniFont(), first);
  EXPECT_EQ(fonts.entries.size(), 2u);
}

TEST_F(FontSeznamTest, ActiveFontDraws) {
  CFontSeznam fonts;
  fonts.addFont("big", "data\\gfx\\font1big.png", bigFontTable);
  fonts.addFont("bonus", "data\\gfx\\bonusfont.png", bonusFontTable);
  fonts.setAktivniFont("big");
  fonts.getAktivniFont()->drawStringFromLeft("WARD 42", 20, 20, 0);
  savePNG(TOB_BINARY_DIR "/font_seznam_active.png");
  int lit = 0;
  for (int y = 20; y < 52; y += 2)
    for (int x = 20; x < 220; x += 2)
      if ((pixel(x, y) & 0xFFFFFF00u) != 0) ++lit;
  EXPECT_GT(lit, 20);
}

} // namespace
