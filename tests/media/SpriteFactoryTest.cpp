#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/SpriteTestSupport.h"
#include "media/Frame.h"
#include "media/Frameset.h"
#include "media/ZSprite.h"
#include "media/ZSpriteFactory.h"

namespace {

const char *kFrameAttrs = "x=\"0\" y=\"0\" w=\"8\" h=\"8\" delay=\"100\" bX=\"1\" bY=\"2\" bW=\"3\" bH=\"4\"";

std::string frameB(const std::string &name, const std::string &attrs = kFrameAttrs) {
  return "<frameB name=\"" + name + "\" " + attrs + "/>";
}

// Death tests run again in a fresh process with its own scratch folder, so messages are matched
// against the file's name inside any scratch folder.
std::string scratch(const std::string &name) { return "/tmp/tob_sprites_[A-Za-z0-9]+/" + name; }

class SpriteFactoryTest : public MediaScratch {
protected:
  void SetUp() override {
    MediaScratch::SetUp();
    useSafeDeathTests();
    factory = new ZSpriteFactory("kolekce");
  }
  void TearDown() override {
    delete factory;
    ZSpriteFactory::setLoadingProgress(nullptr);
    MediaScratch::TearDown();
  }

  // Loads a collection file written in the scratch folder.
  void load(const std::string &xml) {
    path = write("sprites.xml", xml);
    factory->nahrajXML(path.c_str());
  }

  ZSprite *proto(const char *name) {
    int i = factory->najdiZSprite(name);
    return i < 0 ? nullptr : factory->getPrototype((unsigned)i);
  }

  Frame *frame(const char *sprite, unsigned fs, unsigned fr) {
    return proto(sprite)->getFrameset(fs)->getFrame(fr);
  }

  CSurface *surfaceOf(const char *sprite) {
    return CSurfaceManager::instance()->getSurface(proto(sprite)->getFrameset(0)->getSurfaceIndex());
  }

  ZSpriteFactory *factory = nullptr;
  std::string path;
};

TEST_F(SpriteFactoryTest, PictureFlagsCountByPresenceOnly) {
  load("<kolekce>"
       "<sprite name=\"plain\" src=\"a.png\"><frameset name=\"F\">" + frameB("f") + "</frameset></sprite>"
       "<sprite name=\"low\" src=\"b.png\" lowKvalita=\"0\" smooth=\"0\" holdInMemory=\"\">"
       "<frameset name=\"F\">" + frameB("f") + "</frameset></sprite>"
       "</kolekce>");
  ASSERT_EQ(factory->getCount(), 2u);
  CSurface *plain = surfaceOf("plain");
  EXPECT_TRUE(plain->getHiKvalita());
  EXPECT_FALSE(plain->getSmooth());
  EXPECT_FALSE(plain->getHoldInMemory());
  EXPECT_EQ(plain->vratNazevSouboru(), dir + "/data/gfx/a.png");
  CSurface *low = surfaceOf("low");
  EXPECT_FALSE(low->getHiKvalita());
  EXPECT_TRUE(low->getSmooth());
  EXPECT_TRUE(low->getHoldInMemory());
  // Reading registers the pictures but loads none of them.
  EXPECT_EQ(FakePicture::created(), 0);
}

TEST_F(SpriteFactoryTest, RepeatOnlyWhenTheValueIsOneIn16Bits) {
  std::vector<std::pair<std::string, bool>> cases = {
      {"", true},          {"repeatAnimation=\"1\"", true},    {"repeatAnimation=\"65537\"", true},
      {"repeatAnimation=\" +1x\"", true}, {"repeatAnimation=\"0\"", false}, {"repeatAnimation=\"2\"", false},
      {"repeatAnimation=\"true\"", false}, {"repeatAnimation=\"\"", false}, {"repeatAnimation=\"-65535\"", true}};
  std::string xml = "<kolekce><sprite name=\"s\" src=\"s.png\">";
  for (size_t i = 0; i < cases.size(); ++i)
    xml += "<frameset name=\"F" + std::to_string(i) + "\" " + cases[i].first + ">" + frameB("f") + "</frameset>";
  load(xml + "</sprite></kolekce>");
  ZSprite *s = proto("s");
  ASSERT_EQ(s->getPocetFramesetu(), cases.size());
  for (size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(s->getFrameset((unsigned)i)->getRepeat(), cases[i].second) << cases[i].first;
    EXPECT_FALSE(s->getFrameset((unsigned)i)->isRealTime());
  }
  // All framesets of a sprite draw from its one picture.
  EXPECT_EQ(s->getFrameset(0)->getSurfaceIndex(), s->getFrameset(8)->getSurfaceIndex());
}

TEST_F(SpriteFactoryTest, NumbersAreReadLikeAtoiAndWrappedTo16Bits) {
  load("<kolekce><sprite name=\"s\" src=\"s.png\"><frameset name=\"F\">"
       "<frameB name=\"a\" x=\"70000\" y=\"65535\" w=\"-5\" h=\"  +12px\" delay=\"abc\" bX=\"-3\" bY=\"40\""
       " bW=\"99999999999\" bH=\"7\" aX=\"-1\" aY=\"5\" aW=\"6\" aH=\"131073\"/>"
       "<frameB name=\"b\" " + std::string(kFrameAttrs) + " sortY=\"-1\"/>"
       "<frameB name=\"c\" " + std::string(kFrameAttrs) + " sortY=\"65535\"/>"
       "<frameB name=\"d\" " + std::string(kFrameAttrs) + " sortY=\"0\"/>"
       "<frameB name=\"e\" " + std::string(kFrameAttrs) + " sortY=\"70000\"/>"
       "</frameset></sprite></kolekce>");
  Frame *a = frame("s", 0, 0);
  EXPECT_EQ(a->getX(), 4464u);
  EXPECT_EQ(a->getY(), 0xFFFFFFFFu);
  EXPECT_EQ((int)a->getSirka(), -5);
  EXPECT_EQ(a->getVyska(), 12u);
  EXPECT_EQ(a->getPauza(), 0u);
  EXPECT_EQ(a->getBX(), -3);
  EXPECT_EQ(a->getBY(), 40);
  EXPECT_EQ(a->getBW(), (unsigned)(int)(short)(99999999999ll % 65536));
  EXPECT_EQ(a->getBH(), 7u);
  EXPECT_EQ(a->getAX(), -1);
  EXPECT_EQ(a->getAY(), 5);
  EXPECT_EQ(a->getAW(), 6);
  EXPECT_EQ(a->getAH(), 1);
  EXPECT_EQ(a->getSortY(), 40) << "absent sortY sorts by bY";

  EXPECT_EQ(frame("s", 0, 1)->getSortY(), 2);
  EXPECT_EQ(frame("s", 0, 2)->getSortY(), 2);
  EXPECT_EQ(frame("s", 0, 3)->getSortY(), 0);
  EXPECT_EQ(frame("s", 0, 4)->getSortY(), 4464);
  EXPECT_EQ(frame("s", 0, 1)->getAX(), 0);
  EXPECT_EQ(frame("s", 0, 1)->getAH(), 0);
  EXPECT_EQ(readSpriteNumber(nullptr), 0);
  EXPECT_EQ(readSpriteNumber("-32768"), -32768);
  EXPECT_EQ(readSpriteNumber("32768"), -32768);
}

TEST_F(SpriteFactoryTest, ReadsOnlyTheKnownChildrenInDocumentOrder) {
  ZSpriteFactory::setLoadingProgress([](const std::string &text, float fill) {
    static_cast<void>(text);
    FakePicture::calls().push_back(PictureCall());
    FakePicture::calls().back().op = text;
    FakePicture::calls().back().a = fill;
  });
  load("<?xml version=\"1.0\"?><!-- sprites --><other/>"
       "<kolekce><note>text</note>"
       "<sprite name=\"one\" src=\"1.png\"><frameset name=\"A\">" + frameB("a0") + "<!-- c -->" + frameB("a1") +
       "<frame name=\"skipped\"/></frameset><frameset name=\"B\">" + frameB("b0") + "</frameset><junk/></sprite>"
       "<sprite name=\"two\" src=\"2.png\"><frameset name=\"C\">" + frameB("c0") + "</frameset></sprite>"
       "<sprite name=\"one\" src=\"3.png\"><frameset name=\"D\">" + frameB("d0") + "</frameset></sprite>"
       "</kolekce><kolekce><sprite name=\"ignored\" src=\"x.png\"/></kolekce>");
  ASSERT_EQ(factory->getCount(), 3u);
  EXPECT_STREQ(factory->getPrototype(0)->getID(), "one");
  EXPECT_STREQ(factory->getPrototype(1)->getID(), "two");
  EXPECT_EQ(factory->najdiZSprite("one"), 0);
  EXPECT_EQ(factory->najdiZSprite("ignored"), -1);
  EXPECT_EQ(factory->najdiZSprite("ONE"), -1);

  ZSprite *one = proto("one");
  ASSERT_EQ(one->getPocetFramesetu(), 2u);
  EXPECT_STREQ(one->getFrameset(1)->getID(), "B");
  ASSERT_EQ(one->getFrameset(0)->getPocetFramu(), 2u);
  EXPECT_STREQ(one->getFrameset(0)->getFrame(1)->getID(), "a1");
  // A prototype stands at its first frameset and frame with the animation off.
  EXPECT_EQ(one->getAktivniIndex(), 0);
  EXPECT_EQ(one->getFrameset(0)->getAktivniIndex(), 0);
  EXPECT_FALSE(one->getFrameset(0)->probihaAnimace());

  std::string log = logText();
  EXPECT_EQ(count(log, "Sprites celkem: 3\n"), 1u);
  EXPECT_EQ(count(log, "0/3, NEW ZSprite one at 0x"), 1u);
  EXPECT_EQ(count(log, "2/3, NEW ZSprite one at 0x"), 1u);
  EXPECT_EQ(count(log, "NEW FRAMESET B at 0x"), 1u);
  EXPECT_EQ(count(log, ", inserting into ZSprite at 0x"), 4u);
  EXPECT_EQ(count(log, "NEW FRAME a1 at 0x"), 1u);
  EXPECT_EQ(count(log, ", inserting into frameset at 0x"), 5u);
  EXPECT_EQ(count(log, " 0 0 8 8  ax:0 ay:0 aw:0 ah:0\n"), 5u);

  // The loading bar moves from 0 to just under one half while sprites are read.
  std::vector<float> fills;
  for (const PictureCall &c : FakePicture::calls()) {
    EXPECT_EQ(c.op, "LOADING");
    fills.push_back(c.a);
  }
  ASSERT_EQ(fills.size(), 3u);
  EXPECT_FLOAT_EQ(fills[0], 0.0f);
  EXPECT_FLOAT_EQ(fills[1], 0.5f / 3.0f);
  EXPECT_FLOAT_EQ(fills[2], 1.0f / 3.0f);
}

TEST_F(SpriteFactoryTest, EmptyOrForeignCollectionsAddNothing) {
  load("<kolekce></kolekce>");
  EXPECT_EQ(factory->getCount(), 0u);
  EXPECT_EQ(count(logText(), "Sprites celkem: 0\n"), 1u);

  clearLog();
  load("<sprites><sprite name=\"s\" src=\"s.png\"/></sprites>");
  EXPECT_EQ(factory->getCount(), 0u);
  EXPECT_EQ(logText(), "");
}

TEST_F(SpriteFactoryTest, LookupsTakeTheFirstPrototypeOfAName) {
  ZSprite *handMade = new ZSprite("LOGO");
  handMade->pridejFrameset(new Frameset("logo.png", "FRAMESET1", true, true, false, false, true));
  handMade->getFrameset(0)->pridejFrame(new Frame("f", 0, 0, 10, 10, 0, 0, 0, 10, 10, -1, 0, 0, 0, 0));
  factory->pridejZSprite(handMade);
  load("<kolekce><sprite name=\"LOGO\" src=\"file.png\"><frameset name=\"FROMFILE\">" + frameB("f") +
       "</frameset></sprite></kolekce>");
  ASSERT_EQ(factory->getCount(), 2u);
  EXPECT_EQ(factory->najdiZSprite("LOGO"), 0);

  ZSprite *copy = factory->cloneSprite("LOGO");
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, handMade);
  EXPECT_STREQ(copy->getAktivniFrameset()->getID(), "FRAMESET1");
  EXPECT_TRUE(copy->getAktivniFrameset()->isRealTime());
  delete copy;

  clearLog();
  delete factory;
  factory = nullptr;
  std::string log = logText();
  EXPECT_EQ(log.find("Deleting ZSprite VZORY----\n"), 0u);
  EXPECT_EQ(count(log, "Deleting ZSprite LOGO\n"), 2u);
}

TEST_F(SpriteFactoryTest, CopyingAnUnknownNameEndsTheRun) {
  EXPECT_EXIT(factory->cloneSprite("NOPE"), failedExit, "Cannot create ZSprite copy, ZSprite NOPE not found!");
}

TEST_F(SpriteFactoryTest, EachMissingRequiredAttributeEndsWithItsMessageFileAndRow) {
  struct Case {
    std::string xml;
    std::string message;
    int row;
  };
  const std::string head = "<kolekce>\n<sprite name=\"s\" src=\"s.png\">\n<frameset name=\"F\">\n";
  const std::string tail = "\n</frameset>\n</sprite>\n</kolekce>\n";
  std::vector<Case> cases = {
      {"<kolekce>\n\n<sprite src=\"s.png\"/>\n</kolekce>", "Name not found near sprite tag!", 3},
      {"<kolekce>\n<sprite name=\"s\"/>\n</kolekce>", "Source graphics not found near FRAMESET tag!", 2},
      {"<kolekce>\n<sprite name=\"s\" src=\"s.png\">\n<frameset>\n</frameset></sprite></kolekce>",
       "Name not found near FRAMESET tag!", 3},
  };
  // Each frameB attribute in reading order, with the ones before it present and it left out.
  const std::vector<std::pair<std::string, std::string>> attrs = {
      {"name", "Name"}, {"x", "X"},   {"y", "Y"},   {"w", "W"},   {"h", "H"},
      {"delay", "DELAY"}, {"bX", "BX"}, {"bY", "BY"}, {"bW", "BW"}, {"bH", "BH"}};
  for (size_t i = 0; i < attrs.size(); ++i) {
    std::string e = "<frameB";
    for (size_t j = 0; j < attrs.size(); ++j)
      if (j != i) e += " " + attrs[j].first + "=\"1\"";
    cases.push_back({head + frameB("ok") + "\n" + e + "/>" + tail, attrs[i].second + " not found near FRAMEB tag!", 5});
  }
  for (const Case &c : cases) {
    std::string p = write("sprites.xml", c.xml);
    EXPECT_EXIT(factory->nahrajXML(p.c_str()), failedExit,
                c.message + " \\(file " + scratch("sprites.xml") + ", row " + std::to_string(c.row) + "\\)")
        << c.xml;
  }
}

TEST_F(SpriteFactoryTest, ErrorsNameTheCollectionEvenWhenItsPathBufferIsReused) {
  write("sprites.xml", "<kolekce>\n<sprite name=\"a\" src=\"a.png\"><frameset name=\"F\">" + frameB("f") +
                           "</frameset></sprite>\n<sprite name=\"b\"/>\n</kolekce>");
  EXPECT_EXIT(factory->nahrajXML(KMiscTools::makeFilePath("sprites.xml")), failedExit,
              "Source graphics not found near FRAMESET tag! \\(file " + scratch("sprites.xml") + ", row 3\\)");
}

TEST_F(SpriteFactoryTest, TheThirdFrameWithoutDelayStopsTheRead) {
  std::string p = write("sprites.xml",
                        "<kolekce><sprite name=\"s\" src=\"s.png\"><frameset name=\"F\">" + frameB("a") + frameB("b") +
                            "<frameB name=\"c\" x=\"0\" y=\"0\" w=\"1\" h=\"1\" bX=\"0\" bY=\"0\" bW=\"1\" bH=\"1\"/>"
                            "</frameset></sprite></kolekce>");
  EXPECT_EXIT(factory->nahrajXML(p.c_str()), failedExit, "DELAY not found near FRAMEB tag!");
}

TEST_F(SpriteFactoryTest, BrokenFilesEndTheRunNamingFileAndRow) {
  std::string missing = dir + "/nothere.xml";
  EXPECT_EXIT(factory->nahrajXML(missing.c_str()), failedExit, "File " + scratch("nothere.xml") + " not found!");

  std::string truncated = write("truncated.xml", "<kolekce>\n<sprite name=\"s\" src=\"s.png\">\n<frameset name=\"F\">\n"
                                                 "<frameB name=\"a\" x=\"0\" y=\"0");
  EXPECT_EXIT(factory->nahrajXML(truncated.c_str()), failedExit,
              "File " + scratch("truncated.xml") + " is not well-formed XML! \\(file " + scratch("truncated.xml") +
                  ", row [1-9][0-9]*: Error[^)]*\\)");

  std::string notXml = write("notxml.xml", "\x89PNG\r\n\x1a\n binary, not a collection");
  EXPECT_EXIT(factory->nahrajXML(notXml.c_str()), failedExit, "File " + scratch("notxml.xml") + " is not well-formed XML!");

  std::string mismatched = write("mismatched.xml", "<kolekce>\n<sprite name=\"s\" src=\"s.png\">\n</frameset>\n</kolekce>");
  EXPECT_EXIT(factory->nahrajXML(mismatched.c_str()), failedExit, "is not well-formed XML! \\(file .*mismatched.xml, row 3: Error reading end tag.\\)");

  std::string empty = write("empty.xml", "");
  EXPECT_EXIT(factory->nahrajXML(empty.c_str()), failedExit, "File " + scratch("empty.xml") + " is not well-formed XML!");
}

TEST_F(SpriteFactoryTest, SpritesAndFramesetsWithoutContentAreRejected) {
  std::string noFrames = write("a.xml", "<kolekce>\n<sprite name=\"s\" src=\"s.png\">\n<frameset name=\"EMPTY\"/>"
                                        "\n</sprite>\n</kolekce>");
  EXPECT_EXIT(factory->nahrajXML(noFrames.c_str()), failedExit,
              "No FRAMEB found in FRAMESET EMPTY of ZSprite s! \\(file .*a.xml, row 3\\)");
  std::string noSets = write("b.xml", "<kolekce>\n<sprite name=\"bare\" src=\"s.png\"><frame/></sprite>\n</kolekce>");
  EXPECT_EXIT(factory->nahrajXML(noSets.c_str()), failedExit,
              "No FRAMESET found in ZSprite bare! \\(file .*b.xml, row 2\\)");
}

TEST_F(SpriteFactoryTest, NonNumericValuesReadAsZeroAndDoNotStopTheRead) {
  load("<kolekce><sprite name=\"s\" src=\"s.png\"><frameset name=\"F\">"
       "<frameB name=\"a\" x=\"left\" y=\"\" w=\"1.9\" h=\"0x20\" delay=\"--5\" bX=\"+\" bY=\"3e2\" bW=\" \" bH=\"-\""
       " sortY=\"none\"/></frameset></sprite></kolekce>");
  Frame *a = frame("s", 0, 0);
  EXPECT_EQ(a->getX(), 0u);
  EXPECT_EQ(a->getY(), 0u);
  EXPECT_EQ(a->getSirka(), 1u);
  EXPECT_EQ(a->getVyska(), 0u);
  EXPECT_EQ(a->getPauza(), 0u);
  EXPECT_EQ(a->getBX(), 0);
  EXPECT_EQ(a->getBY(), 3);
  EXPECT_EQ(a->getSortY(), 0) << "a non-numeric sortY is 0, not -1";
}

} // namespace
