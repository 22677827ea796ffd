#include <gtest/gtest.h>

#include <dirent.h>

#include <fstream>
#include <iterator>
#include <string>

#include "engine/KFont.h"
#include "engine/KText.h"
#include "support/FakePicture.h"
#include "world/CMapEntity_TextBox.h"

// The summary page writes the day's closing text into a text box 210 px wide at (40, 250) and
// "EXPERT SCORE!" 20 px below it, so the text must stay on one line, and that line, centred on
// x 145 of the page, within the page's writing width (x 15 to 280, the rating line's span).

namespace {

struct SummaryTextBox : CMapEntity_TextBox {
  SummaryTextBox() : CMapEntity_TextBox(0, 0, false) { boxWidth = 210; }
  using CMapEntity_TextBox::lineBuffer;
  using CMapEntity_TextBox::nextLine;
};

TEST(ClosingTextTest, EveryDaysClosingTextIsOneLineWithinTheSummaryPage) {
  KText font;
  font.setFontTable(gameFontTable);
  font.setKGraphic(new FakePicture());
  const int pageWidth = 2 * (280 - 145);
  int checked = 0;
  for (const char *difficulty : {"easy", "medium", "hard"}) {
    const std::string folder = std::string(TOB_BINARY_DIR) + "/data/maps/" + difficulty + "/";
    DIR *dir = opendir(folder.c_str());
    ASSERT_NE(dir, nullptr) << folder;
    while (dirent *e = readdir(dir)) {
      const std::string file = e->d_name, ending = "_outro.txt";
      if (file.size() <= ending.size() || file.compare(file.size() - ending.size(), ending.size(), ending) != 0) continue;
      std::ifstream in(folder + file, std::ios::binary);
      SummaryTextBox box;
      box.text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      ++checked;
      size_t pos = 0;
      int lines = 0;
      while (box.nextLine(&font, pos)) {
        ++lines;
        const float width = font.getStringWidth(box.lineBuffer.c_str(), 0.0f);
        EXPECT_LE(width, (float)pageWidth) << difficulty << "/" << file << ": line \"" << box.lineBuffer
                                           << "\" is wider than the summary page";
      }
      EXPECT_LE(lines, 1) << difficulty << "/" << file << ": \"" << box.text << "\" takes " << lines
                          << " lines and runs into the expert line";
    }
    closedir(dir);
  }
  EXPECT_GT(checked, 0) << "no closing text in the data set";
}

} // namespace
