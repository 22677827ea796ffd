#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/WorldTestSupport.h"
#include "core/CEngine.h"
#include "support/GLTestWindow.h"
#include "media/GameGlobals.h"
#include "engine/KPTK.h"
#include "engine/KText.h"
#include "media/CFontSeznam.h"
#include "media/GameGlobals.h"
#include "world/CKurzorController.h"
#include "world/CMapEntity_TextBox.h"
#include "world/CMapEntity_Visual.h"

namespace {

// Every glyph 10 pixels wide, so widths are easy to reckon.
KFont tenPixelGlyphs[] = {
    {' ', 0, 0, 9, 19, 10, 20},  {'a', 10, 0, 19, 19, 10, 20}, {'b', 20, 0, 29, 19, 10, 20},
    {'c', 30, 0, 39, 19, 10, 20}, {'d', 40, 0, 49, 19, 10, 20}, {'e', 50, 0, 59, 19, 10, 20},
    {'f', 60, 0, 69, 19, 10, 20}, {'g', 70, 0, 79, 19, 10, 20}, {'h', 80, 0, 89, 19, 10, 20},
    {'i', 90, 0, 99, 19, 10, 20}, {'j', 100, 0, 109, 19, 10, 20}, {'k', 110, 0, 119, 19, 10, 20},
    {'l', 120, 0, 129, 19, 10, 20}, {'m', 130, 0, 139, 19, 10, 20}, {0, 0, 0, 0, 0, 0, 0}};

class TextBoxGL : public GLTestWindow, public WorldScratch {
protected:
  void SetUp() override {
    GLTestWindow::SetUp();
    setUp(false);
  }
  void TearDown() override {
    CEngine::setRunning(nullptr);
    tearDown();
    GLTestWindow::TearDown();
  }

  // A named font of the list whose glyphs land in the recording picture.
  static KText *recordingFont(CFontSeznam &fonts, const std::string &name) {
    fonts.addFont(name, "data\\gfx\\nothing.png", tenPixelGlyphs);
    KText *t = fonts.getAktivniFont();
    delete t->getKGraphicPtr();
    t->setKGraphic(new FakePicture());
    return t;
  }

  // First glyph x and glyph count of each drawn line, by y.
  static std::map<int, std::pair<int, int>> lines() {
    std::map<int, std::pair<int, int>> out;
    for (const PictureCall &c : FakePicture::blits()) {
      auto it = out.find(c.y);
      if (it == out.end())
        out[c.y] = {c.x, 1};
      else
        ++it->second.second;
    }
    return out;
  }

  static std::vector<PictureCall> colours() {
    std::vector<PictureCall> out;
    for (const PictureCall &c : FakePicture::calls())
      if (c.op == "color") out.push_back(c);
    return out;
  }

  // The colour a font draws with next.
  static std::vector<float> colourOf(KText *font) {
    FakePicture::clear();
    font->drawStringFromLeft("a", 0, 0, 0);
    std::vector<PictureCall> c = colours();
    return c.empty() ? std::vector<float>() : std::vector<float>{c[0].r, c[0].g, c[0].b, c[0].a};
  }
};

typedef std::map<int, std::pair<int, int>> Lines;

TEST_F(TextBoxGL, TextWrapsAtBarsAndAfterTheBlankThatOverflowsCentredInItsBox) {
  CFontSeznam fonts;
  KText *bonus = recordingFont(fonts, "bonus");
  KText *small2 = recordingFont(fonts, "small2");
  KText small;
  small.setFontTable(tenPixelGlyphs);
  small.setKGraphic(new FakePicture());

  CMapEntity_TextBox box(0, 0, false);
  box.boxWidth = 50;
  box.fontName = "bonus";
  box.text = "ab cd efgh ij|kl||m|";
  box.setXY(100, 200);
  box.setRGB(0.2f, 0.4f, 0.6f, false);
  box.setAlpha(0.5f, false);
  small.setColor(0, 0, 1, 0.5f);
  FakePicture::clear();
  box.drawText(&fonts, &small);
  // "ab cd " is 60 wide: its blank ends it. "efgh ij" runs past the box: a word is never split.
  EXPECT_EQ(lines(), (Lines{{200, {95, 6}}, {222, {90, 7}}, {244, {115, 2}}, {288, {120, 1}}}))
      << "two bars in a row leave an empty line; a closing bar adds none";
  for (const PictureCall &c : colours()) EXPECT_EQ((std::vector<float>{c.r, c.g, c.b, c.a}), (std::vector<float>{0.2f, 0.4f, 0.6f, 0.5f}));
  EXPECT_EQ(colourOf(bonus), (std::vector<float>{0, 0, 0, 1})) << "the font is left black";
  EXPECT_EQ(colourOf(&small), (std::vector<float>{1, 1, 1, 1})) << "and the engine's small font white";

  box.fontName = "small2";
  box.text = "a|b";
  FakePicture::clear();
  box.drawText(&fonts, &small);
  EXPECT_EQ(lines(), (Lines{{200, {120, 1}}, {216, {120, 1}}})) << "small2 lines lie 16 pixels apart";
  box.fontName = "no such font";
  FakePicture::clear();
  box.drawText(&fonts, &small);
  EXPECT_EQ(lines(), (Lines{{200, {120, 1}}, {216, {120, 1}}})) << "an unknown name keeps the font chosen before";
  EXPECT_EQ(fonts.getAktivniFont(), small2);

  box.fontName = "bonus";
  box.text = "";
  bonus->setColor(1, 0, 0, 1);
  FakePicture::clear();
  box.drawText(&fonts, &small);
  EXPECT_TRUE(FakePicture::blits().empty());
  EXPECT_EQ(colourOf(bonus), (std::vector<float>{0, 0, 0, 1})) << "an empty text still resets the colour";

  // Far longer than any box: laid out line by line up to the length limit, and no further.
  box.text.clear();
  for (int i = 0; i < 25000; ++i) box.text += "ab ";
  FakePicture::clear();
  box.drawText(&fonts, &small);
  EXPECT_EQ(FakePicture::blits().size(), CMapEntity_TextBox::kMaxChars);
  box.text = std::string(20000, 'a');
  FakePicture::clear();
  box.drawText(&fonts, &small);
  EXPECT_EQ(FakePicture::blits().size(), 20000u) << "one unbroken word is one line";
  box.drawText(nullptr, nullptr);
}

TEST_F(TextBoxGL, CaptionsDrawLeftAlignedInTheBonusFontAndCopiesKeepTheirLooks) {
  CFontSeznam fonts;
  KText *bonus = recordingFont(fonts, "bonus");
  recordingFont(fonts, "small2");
  CMapEntity_BonusText proto(0, 0, false);
  proto.fontName = "small2";
  proto.boxWidth = 45;
  proto.boxHeight = 30;
  proto.spacing = 3;
  proto.textRed = 1.0f;
  proto.textGreen = 0.5f;
  proto.textBlue = 0.0f;
  proto.text = "abc de|f";
  proto.setAlpha(0.3f, true);
  proto.setRGB(1, 1, 1, false);

  CMapEntity_BonusText *caption = static_cast<CMapEntity_BonusText *>(proto.clone());
  EXPECT_FLOAT_EQ(caption->looks().getAlpha(), 1.0f);
  EXPECT_EQ((std::vector<float>{caption->looks().getRed(), caption->looks().getGreen(), caption->looks().getBlue()}),
            (std::vector<float>{0.0f, 0.39f, 0.51f}))
      << "every copy of a text box starts dark teal";
  EXPECT_EQ(caption->boxHeight, 30);
  EXPECT_EQ(caption->spacing, 3);
  caption->setXY(300.7f, 40);
  caption->setAlpha(0.8f, false);
  FakePicture::clear();
  caption->drawCaption(&fonts);
  EXPECT_EQ(fonts.getAktivniFont(), bonus) << "the caption's font name is not used";
  // Glyphs 6 apart at spacing -4; the blank after "abc" (40 wide) is not past the box's 45. Each
  // line over its dark shadow, a pixel down and right.
  EXPECT_EQ(lines(), (Lines{{40, {300, 6}}, {41, {301, 6}}, {62, {300, 1}}, {63, {301, 1}}}));
  ASSERT_EQ(colours().size(), 4u);
  EXPECT_EQ(FakePicture::blits()[1].x - FakePicture::blits()[0].x, 6);
  PictureCall shadow = colours()[0], c = colours()[1];
  EXPECT_EQ((std::vector<float>{shadow.r, shadow.g, shadow.b}), (std::vector<float>{0.0f, 0.0f, 0.0f}));
  EXPECT_EQ((std::vector<float>{c.r, c.g, c.b, c.a}), (std::vector<float>{1.0f, 0.5f, 0.0f, 0.8f}));

  // Kept whole on the screen: a caption earned at its edge is drawn inside it, a margin off.
  caption->setXY(-50, -30);
  FakePicture::clear();
  caption->drawCaption(&fonts);
  EXPECT_EQ(lines(), (Lines{{8, {8, 6}}, {9, {9, 6}}, {30, {8, 1}}, {31, {9, 1}}}));
  caption->setXY(790, 100);
  FakePicture::clear();
  caption->drawCaption(&fonts);
  for (const auto &b : FakePicture::blits()) EXPECT_LE(b.x + 6, 792) << "at the right edge";
  EXPECT_EQ(colourOf(bonus), (std::vector<float>{1, 1, 1, 1})) << "left white afterwards";
  delete caption;
}

// Real fonts, sprites and pixels: a dimmed panel with a text box, a caption and the game's cursor
// following the pointer while the system pointer is hidden.
TEST_F(TextBoxGL, PanelTextCaptionAndCursorOnScreen) {
  KMiscTools::setApplicationFolder(TOB_BINARY_DIR);
  spriteFactory->nahrajXML(KMiscTools::makeFilePath("data\\gfx\\sprites.xml"));
  CFontSeznam fonts;
  fonts.addFont("big", "data\\gfx\\font1big.png", bigFontTable);
  fonts.addFont("bonus", "data\\gfx\\bonusFont.png", bonusFontTable);
  KText small(KMiscTools::makeFilePath("data\\gfx\\font1small.png"), smallFontTable);
  CEngine eng;
  eng.built().setFonts(&fonts, &small);
  CEngine::setRunning(&eng);
  KGraphic *screen = KPTK::createKGraphic();
  window()->setWorldView(0, 0, 0, 1, true);
  screen->drawRect(0, 0, 800, 600, 200 / 255.0f, 200 / 255.0f, 200 / 255.0f, 1);

  CMapEntity_Game panel(0, 0, false);
  CMapEntity_DarkScreen darkProto(0, 0, false);
  panel.addEntity(darkProto.clone(), false, false);
  panel.setAlpha(1.0f, true);
  CMapEntity_TextBox boxProto(0, 0, false);
  boxProto.fontName = "big";
  boxProto.boxWidth = 400;
  CMapEntity_TextBox *box = static_cast<CMapEntity_TextBox *>(boxProto.clone());
  box->text = "HELLO WARD|SECOND LINE";
  box->setXY(200, 100);
  CMapEntity_BonusText captionProto(0, 0, false);
  CMapEntity_BonusText *caption = static_cast<CMapEntity_BonusText *>(captionProto.clone());
  caption->text = "$500";
  caption->textRed = 1.0f;
  caption->textGreen = 1.0f;
  caption->textBlue = 0.0f;
  caption->setXY(500, 300);
  CMapEntity_Kurzor cursor(0, 0, false);
  cursor.looks().setSprite("KURZOR");
  cursor.setSortZ(10, false);
  CKurzorController follow(&cursor, nullptr, nullptr, "KURZOR");
  follow.bindEntity(&cursor);

  KInput::hidePointer();
  pushMotion(640, 420);
  pumpAll();
  follow.update();
  EXPECT_FLOAT_EQ(cursor.getX(), 640);
  EXPECT_FLOAT_EQ(cursor.getY(), 420);
  panel.update(screen);
  box->update(screen);
  caption->update(screen);
  cursor.update(screen);

  EXPECT_TRUE(near(pixel(20, 580), rgba(130, 130, 130), 3)) << std::hex << pixel(20, 580);
  int teal = 0, yellow = 0, cursorPixels = 0;
  for (int y = 95; y < 160; ++y)
    for (int x = 200; x < 600; ++x) {
      uint32_t p = pixel(x, y);
      int r = p >> 24, g = (p >> 16) & 0xFF, b = (p >> 8) & 0xFF;
      if (r < 60 && g > 60 && b > 80) ++teal;
    }
  for (int y = 295; y < 330; ++y)
    for (int x = 495; x < 600; ++x) {
      uint32_t p = pixel(x, y);
      if ((p >> 24) > 200 && ((p >> 16) & 0xFF) > 200 && ((p >> 8) & 0xFF) < 80) ++yellow;
    }
  for (int y = 420; y < 440; ++y)
    for (int x = 640; x < 660; ++x)
      if (!near(pixel(x, y), rgba(130, 130, 130), 6)) ++cursorPixels;
  EXPECT_GT(teal, 100) << "the text box's lines in dark teal";
  EXPECT_GT(yellow, 20) << "the caption in its own colour";
  EXPECT_GT(cursorPixels, 20) << "the cursor drawn at the pointer";
  savePNG((std::string(TOB_BINARY_DIR) + "/world_visual_entities.png").c_str());

  window()->flipBackBuffer(false, true);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE) << "the system pointer stays hidden over the window";
  delete box;
  delete caption;
  delete screen;
}

} // namespace
