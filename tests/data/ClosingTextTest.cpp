#include <gtest/gtest.h>

#include <dirent.h>
#include <tinyxml.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "core/CProfiles.h"
#include "core/CSafeFile.h"
#include "core/CSaveGame.h"
#include "engine/KFont.h"
#include "engine/KText.h"
#include "support/FakePicture.h"
#include "world/CMapEntity_TextBox.h"

// The summary page writes the day's closing text into a text box 210 px wide at (40, 250) and
// "EXPERT SCORE!" 20 px below it, so the text must stay on one line, and that line, centred on
// x 145 of the page, within the page's writing width (x 15 to 280, the rating line's span).

namespace {

struct SummaryTextBox : CMapEntity_TextBox {
  explicit SummaryTextBox(int width = 210) : CMapEntity_TextBox(0, 0, false) { boxWidth = width; }
  using CMapEntity_TextBox::lineBuffer;
  using CMapEntity_TextBox::nextLine;
};

// Every generated level file whose name ends in `ending`, with its difficulty folder.
void forEachLevelText(const std::string &ending, const std::function<void(const std::string &, const std::string &)> &f) {
  for (const char *difficulty : {"easy", "medium", "hard"}) {
    const std::string folder = std::string(TOB_BINARY_DIR) + "/data/maps/" + difficulty + "/";
    DIR *dir = opendir(folder.c_str());
    ASSERT_NE(dir, nullptr) << folder;
    while (dirent *e = readdir(dir)) {
      const std::string file = e->d_name;
      if (file.size() <= ending.size() || file.compare(file.size() - ending.size(), ending.size(), ending) != 0) continue;
      std::ifstream in(folder + file, std::ios::binary);
      f(std::string(difficulty) + "/" + file, std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    }
    closedir(dir);
  }
}

TEST(ClosingTextTest, EveryDaysClosingTextIsOneLineWithinTheSummaryPage) {
  KText font;
  font.setFontTable(gameFontTable);
  font.setKGraphic(new FakePicture());
  const int pageWidth = 2 * (280 - 145);
  int checked = 0;
  forEachLevelText("_outro.txt", [&](const std::string &file, const std::string &text) {
    SummaryTextBox box;
    box.text = text;
    ++checked;
    size_t pos = 0;
    int lines = 0;
    while (box.nextLine(&font, pos)) {
      ++lines;
      EXPECT_LE(font.getStringWidth(box.lineBuffer.c_str(), 0.0f), (float)pageWidth)
          << file << ": line \"" << box.lineBuffer << "\" is wider than the summary page";
    }
    EXPECT_LE(lines, 1) << file << ": \"" << text << "\" takes " << lines << " lines and runs into the expert line";
  });
  EXPECT_GT(checked, 0) << "no closing text in the data set";
}

// The day's notebook writes its intro into a box that breaks a line at the first blank past 150 px,
// centred on x 148 of the page, whose writing runs from the margin (x 40) to x 276; the tip and
// tutorial bubbles break past 700 px, centred on x 422 inside the bubble's rim (x 86 to 780); the
// shop's note bubbles break past 60 px in the small font, centred on x 72 of a bubble whose body
// runs from x 8 to 136 and holds five lines. Each line the data breaks with '|' must stay one
// line there, so no phrase is broken by the box.
TEST(ClosingTextTest, NotebookAndBubbleLinesStayWholeWithinTheirPanels) {
  KText font;
  font.setFontTable(gameFontTable);
  font.setKGraphic(new FakePicture());
  KText small;
  small.setFontTable(small2FontTable);
  small.setKGraphic(new FakePicture());
  auto check = [&](const std::string &where, const std::string &raw, int box, float widest, KText &font,
                   float spacing = 0.0f) {
    std::string text = raw;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    SummaryTextBox b(box);
    b.text = text;
    size_t pos = 0;
    int lines = 0;
    while (b.nextLine(&font, pos)) {
      ++lines;
      EXPECT_LE(font.getStringWidth(b.lineBuffer.c_str(), spacing), widest) << where << ": \"" << b.lineBuffer << "\"";
    }
    EXPECT_EQ(lines, (int)std::count(text.begin(), text.end(), '|') + 1) << where << ": \"" << text << "\" breaks inside a line";
    return lines;
  };
  int intros = 0;
  forEachLevelText("_intro.txt", [&](const std::string &file, const std::string &text) {
    ++intros;
    check(file, text, 150, 2.0f * (276 - 148), font);
  });
  EXPECT_GT(intros, 20);

  TiXmlDocument doc((std::string(TOB_BINARY_DIR) + "/data/variables.xml").c_str());
  ASSERT_TRUE(doc.LoadFile());
  int tips = 0, notes = 0;
  for (TiXmlElement *e = doc.RootElement()->FirstChildElement("entity"); e; e = e->NextSiblingElement("entity")) {
    if (const char *text = e->Attribute("text")) {
      ++tips;
      check(e->Attribute("name"), text, 700, 2.0f * (422 - 86 - 4), font);
    }
    if (const char *text = e->Attribute("upgradetext")) {
      ++notes;
      EXPECT_LE(check(e->Attribute("name"), text, 60, 2.0f * (136 - 72), small, 1.0f), 5) << e->Attribute("name");
    }
  }
  EXPECT_GT(tips, 20);
  EXPECT_GE(notes, 9) << "every shop row explains itself";
}

// The message window writes a notice into a box 300 px wide (lines breaking before a word that
// would run past it) whose three lines end above its OK button: every reason the game gives for a
// failed save or load, and every mending of the player list, fits there.
TEST(ClosingTextTest, EveryNoticeOfAFailedSaveOrLoadFitsAboveTheMessageWindowsButton) {
  KText font;
  font.setFontTable(gameFontTable);
  font.setKGraphic(new FakePicture());
  std::vector<std::string> notices;
  for (int err : {ENOSPC, EFBIG, EROFS, EACCES, ENOENT, EISDIR, EIO})
    notices.push_back("Your game could not be saved:|" + CSafeFile::reasonOf(err) + ".|Folder: ~/hospital/5");
  for (CSaveGame::Result r : {CSaveGame::MISSING, CSaveGame::TRUNCATED, CSaveGame::BAD_LEVEL,
                             CSaveGame::NOT_A_FILE, CSaveGame::TOO_LARGE})
    notices.push_back(std::string("Your saved game cannot be read:|") + CSaveGame::reasonOf(r) + ".|File: ~/hospital/5/save.dat");
  for (int err : {EACCES, ELOOP, EIO, ENOENT, ENAMETOOLONG})
    notices.push_back("Your saved game cannot be read:|" + CSafeFile::readReasonOf(err) + ".|File: ~/hospital/5/save.dat");
  for (CProfiles::Repair r :
       {CProfiles::LIST_EMPTY, CProfiles::LIST_SHORT, CProfiles::LIST_LONG, CProfiles::NAME_LONG, CProfiles::LAST_UNKNOWN})
    notices.push_back(CProfiles::repairNotice(r, "~/hospital/lastprofile.txt.bad99", "player6"));
  for (const std::string &text : notices) {
    SummaryTextBox box(300);
    box.fitWords = true;
    box.text = text;
    size_t pos = 0;
    for (int lines = 1; box.nextLine(&font, pos); ++lines)
      EXPECT_TRUE(font.getStringWidth(box.lineBuffer.c_str(), 0.0f) <= 300.0f && lines <= 3) << box.lineBuffer;
  }
}

} // namespace
