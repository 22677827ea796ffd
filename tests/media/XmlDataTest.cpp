#include <gtest/gtest.h>

#include <sys/stat.h>
#include <tinyxml.h>

#include <string>

#include "support/SpriteTestSupport.h"
#include "media/XmlData.h"

namespace {

using namespace std::string_literals;

const ::testing::ExitedWithCode minusOne(255);
const std::string kUtf8 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

class XmlDataTest : public MediaScratch {
protected:
  void SetUp() override {
    MediaScratch::SetUp();
    useSafeDeathTests();
  }
};

// The parser steps over the bytes a UTF-8 lead byte promises; none of those steps may take it past
// the text it was given, and a step that would is a broken file, not a read of whatever follows.
TEST_F(XmlDataTest, ACharacterCutShortByTheEndOfTheTextNeverReadsPastIt) {
  TiXmlDocument doc;
  loadDataFile(doc, write("tail.xml", kUtf8 + "<a b=\"x\"/>\xf0"));
  ASSERT_NE(doc.FirstChildElement("a"), nullptr);
  EXPECT_STREQ(doc.FirstChildElement("a")->Attribute("b"), "x");

  for (const char *cut : {"\xc3", "\xe2\x82", "\xf0\x9f\x98"}) {
    std::string p = write("cut.xml", kUtf8 + "<a b=\"" + cut);
    TiXmlDocument d;
    EXPECT_EXIT(loadDataFile(d, p), minusOne, "cut.xml is not well-formed XML! \\(file .*cut.xml, row 2: Error");
    p = write("cuttext.xml", kUtf8 + "<a>" + cut);
    EXPECT_EXIT(loadDataFile(d, p), minusOne, "cuttext.xml is not well-formed XML!");
  }

  // The text ends at a zero byte; what lies after it is never parsed.
  std::string p = write("zero.xml", kUtf8 + "<a b=\"\xf0" + "\0"s + "xy\"/>\n");
  TiXmlDocument d;
  EXPECT_EXIT(loadDataFile(d, p), minusOne, "zero.xml is not well-formed XML!");
  p = write("zerotail.xml", kUtf8 + "<a b=\"1\"/>\n" + "\0"s + "<b/>");
  loadDataFile(d, p);
  EXPECT_NE(d.FirstChildElement("a"), nullptr);
  EXPECT_EQ(d.FirstChildElement("b"), nullptr);
}

TEST_F(XmlDataTest, WindowsAndOldMacLineEndsCountAndReadAsNewLines) {
  TiXmlDocument doc;
  loadDataFile(doc, write("crlf.xml", kUtf8 + "<a>\r\n<b t=\"1\r\n2\">x\r\ny\ry</b>\r\n\r<c/></a>"));
  TiXmlElement *b = doc.FirstChildElement("a")->FirstChildElement("b");
  TiXmlElement *c = doc.FirstChildElement("a")->FirstChildElement("c");
  EXPECT_EQ(b->Row(), 3);
  EXPECT_EQ(c->Row(), 8);
  EXPECT_STREQ(b->Attribute("t"), "1\n2");

  std::string p = write("crlfbad.xml", "<a>\r\n\r\n<b>\r\n</c>\r\n</a>");
  TiXmlDocument d;
  EXPECT_EXIT(loadDataFile(d, p), minusOne, "crlfbad.xml, row 4: Error reading end tag.\\)");
}

TEST_F(XmlDataTest, AFileThatIsThereButDoesNotParseIsNotCalledMissing) {
  TiXmlDocument doc;
  EXPECT_EXIT(loadDataFile(doc, dir + "/none.xml"), minusOne,
              "File .*/none.xml not found! \\(file .*/none.xml: no such file\\)");
  std::string p = write("broken.xml", "<a>\n<b>\n</a>\n");
  EXPECT_EXIT(loadDataFile(doc, p), minusOne,
              "File .*/broken.xml is not well-formed XML! \\(file .*/broken.xml, row 3: Error reading end tag.\\)");
  p = write("empty.xml", "");
  EXPECT_EXIT(loadDataFile(doc, p), minusOne, "File .*/empty.xml is not well-formed XML! \\(file .*/empty.xml: ");
  mkdir((dir + "/folder.xml").c_str(), 0755);
  EXPECT_EXIT(loadDataFile(doc, dir + "/folder.xml"), minusOne, "File .*/folder.xml cannot be read!");
}

} // namespace
