#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>

#include "MenuTestSupport.h"
#include "menus/CMapEntity_Credits.h"
#include "menus/CMapEntity_MenuButton.h"
#include "menus/CMapEntity_MenuCheckbox.h"
#include "menus/CMapEntity_MenuInputbox.h"
#include "menus/CMapEntity_MenuQuestionWindow.h"
#include "menus/CMapEntity_SliderBase.h"
#include "menus/MenuKit.h"
#include "world/CMapEntity_TextBox.h"

// The menu widgets headless, driven through pointer, button and keys on the title screen.

namespace {

constexpr unsigned kMainMenu = 218, kOptions = 223, kProfiles = 236, kHeroPanel = 300;
constexpr unsigned kNewGame = 217, kOptionsButton = 219, kProfilesButton = 237, kVideoBack = 229;
constexpr unsigned kCreditsButton = 393, kProfileButton = 238, kResetButton = 241;
constexpr unsigned kYes = 254, kNo = 255, kClose = 389;
constexpr unsigned kQuitQuestion = 256, kResetQuestion = 253, kNewGameQuestion = 258, kMessage = 391;
constexpr unsigned kFullscreen = 230, kMusic = 232, kSound = 231, kKnob = 235, kNameBox = 227, kCaption = 1001;
constexpr unsigned kCredits = 387, kWhite = 1101;

const char *const kDefaults = "player1\nplayer2\nplayer3\nplayer4\nplayer5\nplayer6";

class MenuWidgetsTest : public MenuTest {
protected:
  CMapEntity *button(unsigned panelID, unsigned id, size_t n = 0) { return carried(panel(panelID), id, n); }

  void openOptions() {
    click(button(kMainMenu, kOptionsButton));
    ASSERT_NE(panel(kOptions), nullptr);
  }

  // The profiles panel with the rename widgets of the slot.
  CMapEntity_MenuInputboxName *chooseSlot(size_t slot) {
    if (!panel(kProfiles)) click(button(kMainMenu, kProfilesButton));
    click(button(kProfiles, kProfileButton, slot));
    return dynamic_cast<CMapEntity_MenuInputboxName *>(button(kProfiles, kNameBox));
  }

  CMenuModal *modal(unsigned id) { return dynamic_cast<CMenuModal *>(panel(id)); }
};

TEST_F(MenuWidgetsTest, SlidersKeepAStoredVolumeAndMapTheDragOntoTheTrack) {
  ASSERT_NO_FATAL_FAILURE(start());
  const std::string audio = read("0/audio.cfg");
  openOptions();
  auto *music = dynamic_cast<CMapEntity_SliderBase *>(button(kOptions, kMusic));
  auto *sound = dynamic_cast<CMapEntity_SliderBase *>(button(kOptions, kSound));
  ASSERT_NE(music, nullptr);
  ASSERT_NE(sound, nullptr);
  // Opening the panel writes the stored volumes back unchanged: 53 must not become 52.
  EXPECT_EQ(CAudioOptions::instance()->getMusicVolume(), 53);
  EXPECT_EQ(CAudioOptions::instance()->getSoundVolume(), 37);
  CMapEntity *knob = carried(music, kKnob);
  ASSERT_NE(knob, nullptr);
  EXPECT_NEAR(knob->getXOffset(), 0.53f * 209.0f, 0.01f);
  EXPECT_NEAR(carried(sound, kKnob)->getXOffset(), 0.37f * 209.0f, 0.01f);
  click(button(kOptions, kClose));
  EXPECT_EQ(panel(kOptions), nullptr);
  openOptions();
  click(button(kOptions, kVideoBack));
  EXPECT_EQ(read("0/audio.cfg"), audio) << "open, close, reopen and BACK store what was there";

  // A drag: 200 pixels of pointer from the track's x + 10 cover the range, the knob 209.
  openOptions();
  music = dynamic_cast<CMapEntity_SliderBase *>(button(kOptions, kMusic));
  knob = carried(music, kKnob);
  const float trackX = music->getX();
  pointAt(knob->getX() + 5, knob->getY() + 8);
  KInput::noteButton(1, true);
  auto dragTo = [&](float to) {
    float x = (float)KInput::getMouseX();
    while (x != to) {
      x += (to > x) ? std::min(4.0f, to - x) : std::max(-4.0f, to - x);
      pointAt(x, knob->getY() + 8);
    }
  };
  dragTo(trackX + 110);
  EXPECT_EQ(CAudioOptions::instance()->getMusicVolume(), 50);
  EXPECT_NEAR(knob->getXOffset(), 104.5f, 0.01f);
  dragTo(trackX + 2);
  EXPECT_EQ(CAudioOptions::instance()->getMusicVolume(), 0);
  EXPECT_FLOAT_EQ(knob->getXOffset(), 0.0f);
  dragTo(trackX + 240);
  EXPECT_EQ(CAudioOptions::instance()->getMusicVolume(), 100);
  EXPECT_FLOAT_EQ(knob->getXOffset(), 209.0f);
  dragTo(trackX + 40);
  KInput::noteButton(1, false);
  // Moving on without the button moves nothing.
  pointAt(trackX + 150, knob->getY() + 8);
  EXPECT_EQ(CAudioOptions::instance()->getMusicVolume(), 15);
  EXPECT_EQ(CMapEntity_SliderBase::volumeOf(0.999f), 99) << "a volume is truncated, never rounded up";
  EXPECT_EQ(read("0/audio.cfg"), audio) << "a drag alone writes nothing";
  click(button(kOptions, kVideoBack));
  EXPECT_EQ(read("0/audio.cfg"), "SOUND 1\nMUSIC 1\nSOUNDVOL 37\nMUSICVOL 15");
}

TEST_F(MenuWidgetsTest, TheNameBoxTakesNameCharactersUpToFourteenAndRefusesEmptyOrTakenNames) {
  ASSERT_NO_FATAL_FAILURE(start());
  CMapEntity_MenuInputboxName *box = chooseSlot(2);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->text, "player3");
  EXPECT_EQ(read("lastprofile.txt"), "player3");
  const auto before = files();

  // Escape puts the name back and writes nothing.
  click(box);
  EXPECT_EQ(box->editing, 1);
  type("xyz");
  EXPECT_EQ(box->text, "player3xyz");
  press(K_VK_ESCAPE);
  EXPECT_EQ(box->editing, 0);
  EXPECT_EQ(box->text, "player3");

  // Fourteen letters however many bytes each takes; Backspace takes a broken letter whole.
  click(box);
  box->text.clear();
  for (int i = 0; i < 13; ++i) box->text += "\xE5\x90\x8D";
  type("ab");
  EXPECT_EQ(box->text.substr(39), "a");
  box->text = "Zo\xC3\xAB\xE6\x97";
  press(K_VK_BACK);
  EXPECT_EQ(box->text, "Zo\xC3\xAB");
  box->text = "Zo\x85\x01"; // control bytes, which draw nothing, go with the letter before them
  press(K_VK_BACK);
  EXPECT_EQ(box->text, "Z");
  press(K_VK_ESCAPE);

  // Emptied and confirmed: refused with a message, as a taken name is.
  click(box);
  for (int i = 0; i < 9; ++i) press(K_VK_BACK);
  EXPECT_EQ(box->text, "");
  press(K_VK_RETURN);
  ASSERT_NE(modal(kMessage), nullptr) << "an empty name is refused";
  EXPECT_EQ(modal(kMessage)->getText(), "A name needs at least|one letter or digit.");
  EXPECT_EQ(box->text, "player3");
  click(button(kMessage, kNo));
  run(8);
  EXPECT_EQ(panel(kMessage), nullptr);
  click(box);
  type("1");
  press(K_VK_BACK);
  press(K_VK_RETURN);
  ASSERT_NE(modal(kMessage), nullptr) << "the slot's own name counts as taken";
  EXPECT_EQ(modal(kMessage)->getText(), "This name already exists,| please pick another.");
  click(button(kMessage, kClose));
  EXPECT_EQ(files(), before);

  // Letters, digits, '@' and '/' only; fourteen at most, as a profile name holds.
  click(box);
  for (int i = 0; i < 7; ++i) press(K_VK_BACK);
  type("Dr @ward/7.x-_yzABCDEFGH");
  EXPECT_EQ(box->text, "Dr@ward/7xyzAB");
  press(K_VK_RETURN);
  EXPECT_EQ(read("profiles.txt"), "player1\nplayer2\nDr@ward/7xyzAB\nplayer4\nplayer5\nplayer6");
  EXPECT_EQ(read("lastprofile.txt"), "Dr@ward/7xyzAB");
  EXPECT_EQ(panel(kMessage), nullptr);
}

TEST_F(MenuWidgetsTest, TheFullScreenBoxShowsTheStoredChoiceAndOnlyBackWritesIt) {
  ASSERT_NO_FATAL_FAILURE(start());
  openOptions();
  auto *box = dynamic_cast<CMapEntity_MenuCheckbox *>(button(kOptions, kFullscreen));
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(box->getState());
  click(box);
  EXPECT_TRUE(box->getState());
  EXPECT_STREQ(box->looks().getSprite()->getAktivniFrameset()->getID(), "CHECKED");
  EXPECT_TRUE(CVideoOptions::instance()->vratFullScreen());
  click(box);
  click(box);
  EXPECT_TRUE(box->getState());

  // Closed by the cross: kept in memory, so the next panel shows it, but not written.
  click(button(kOptions, kClose));
  EXPECT_EQ(read("0/video.cfg"), "FULLSCREEN 0");
  openOptions();
  box = dynamic_cast<CMapEntity_MenuCheckbox *>(button(kOptions, kFullscreen));
  EXPECT_TRUE(box->getState());
  EXPECT_STREQ(box->looks().getSprite()->getAktivniFrameset()->getID(), "CHECKED");
  click(box);
  EXPECT_STREQ(box->looks().getSprite()->getAktivniFrameset()->getID(), "UNCHECKED");
  EXPECT_FALSE(CVideoOptions::instance()->vratFullScreen());
}

TEST_F(MenuWidgetsTest, EachCloseBoxClosesItsOwnPanelAndWritesNothing) {
  ASSERT_NO_FATAL_FAILURE(start());
  const auto before = files();

  // The main menu's cross asks about quitting and the menu stays.
  click(button(kMainMenu, kClose));
  ASSERT_NE(panel(kQuitQuestion), nullptr);
  EXPECT_NE(panel(kMainMenu), nullptr);
  // A question's cross dismisses it at once, without No's delay.
  click(button(kQuitQuestion, kClose), 0);
  run(1);
  EXPECT_EQ(panel(kQuitQuestion), nullptr);
  EXPECT_EQ(engineObj.progression().getSkipToLevel(), 0);

  openOptions();
  click(button(kOptions, kClose));
  EXPECT_EQ(panel(kOptions), nullptr);
  EXPECT_NE(panel(kMainMenu), nullptr);

  click(button(kMainMenu, kProfilesButton));
  ASSERT_NE(panel(kProfiles), nullptr);
  click(button(kProfiles, kClose));
  EXPECT_EQ(panel(kProfiles), nullptr);

  click(button(kMainMenu, kNewGame));
  ASSERT_NE(panel(kHeroPanel), nullptr);
  click(button(kHeroPanel, kClose));
  EXPECT_EQ(panel(kHeroPanel), nullptr);
  EXPECT_NE(panel(kMainMenu), nullptr);
  EXPECT_FALSE(level->getLevelOver()) << "closing the hero choice starts no game";

  for (CMapEntity_Game *e : *ec()->getEntitiesPtr()) EXPECT_TRUE(e->getFocus()) << e->name;
  EXPECT_EQ(files(), before);
}

TEST_F(MenuWidgetsTest, QuestionsGiveTheFocusBackToThePanelUnderneathAndOpenOneOfEachAtATime) {
  ASSERT_NO_FATAL_FAILURE(start());
  CMapEntity_MenuInputboxName *box = chooseSlot(1);
  ASSERT_NE(box, nullptr);
  chooseSlot(1);
  box = chooseSlot(1);
  EXPECT_EQ(countAlive(kNameBox), 1) << "one name box however often a slot is chosen";
  EXPECT_EQ(countAlive(kResetButton), 1);
  EXPECT_NE(carried(panel(kProfiles), kCaption), nullptr);
  EXPECT_EQ(carried(panel(kProfiles), kCaption, 1), nullptr);

  // The profiles panel alone has the input, as a panel over a paused day would.
  ec()->focus(panel(kProfiles), nullptr);
  panel(kProfiles)->setFocus(true);
  const auto before = files();
  click(button(kProfiles, kResetButton));
  CMenuModal *question = modal(kResetQuestion);
  ASSERT_NE(question, nullptr);
  EXPECT_FALSE(panel(kProfiles)->getFocus());
  click(button(kResetQuestion, kNo), 0);
  run(3, 20);
  EXPECT_NE(panel(kResetQuestion), nullptr) << "No closes a moment after the click";
  run(5, 20);
  EXPECT_EQ(panel(kResetQuestion), nullptr);
  EXPECT_TRUE(panel(kProfiles)->getFocus());
  EXPECT_FALSE(panel(kMainMenu)->getFocus()) << "No gives the focus to the panel underneath, not to all";

  click(button(kProfiles, kResetButton));
  click(button(kResetQuestion, kClose));
  EXPECT_EQ(panel(kResetQuestion), nullptr);
  EXPECT_TRUE(panel(kProfiles)->getFocus());
  EXPECT_FALSE(panel(kMainMenu)->getFocus());
  EXPECT_EQ(files(), before);

  // Yes resets the chosen slot only.
  write("1/audio.cfg", "SOUND 1\nMUSIC 1\nSOUNDVOL 10\nMUSICVOL 10");
  click(box);
  for (int i = 0; i < 7; ++i) press(K_VK_BACK);
  type("Ward");
  press(K_VK_RETURN);
  box = chooseSlot(1);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->text, "Ward");
  click(button(kProfiles, kResetButton));
  click(button(kResetQuestion, kYes));
  EXPECT_EQ(panel(kResetQuestion), nullptr);
  EXPECT_EQ(read("profiles.txt"), kDefaults);
  EXPECT_EQ(access((hospital + "1/audio.cfg").c_str(), F_OK), -1);
  EXPECT_EQ(read("0/audio.cfg"), "SOUND 1\nMUSIC 1\nSOUNDVOL 37\nMUSICVOL 53");

  // With a saved game, New game asks first; answering Yes twice leaves one hero choice.
  write(profiles->getAktivniProfilStr() + "/save.dat", std::string(24, '\0'));
  for (int i = 0; i < 2; ++i) {
    click(button(kMainMenu, kNewGame));
    ASSERT_NE(panel(kNewGameQuestion), nullptr);
    click(button(kNewGameQuestion, kYes));
    EXPECT_EQ(panel(kNewGameQuestion), nullptr);
  }
  EXPECT_EQ(countAlive(kHeroPanel), 1);
}

TEST_F(MenuWidgetsTest, CreditsFlashWhiteFirstThenShowThePanelAndScroll) {
  ASSERT_NO_FATAL_FAILURE(start());
  openOptions();
  click(button(kOptions, kCreditsButton), 0);
  auto *credits = dynamic_cast<CMapEntity_Credits *>(panel(kCredits));
  ASSERT_NE(credits, nullptr);
  EXPECT_STREQ(credits->looks().getSprite()->getID(), "MENUBW");
  EXPECT_EQ(credits->getRadky().size(), 74u);
  CMapEntity *white = carried(credits, kWhite);
  ASSERT_NE(white, nullptr);

  float lastWhite = white->looks().getAlpha();
  int frames = 0;
  while (white->looks().getAlpha() < 1.0f && frames < 200) {
    EXPECT_FLOAT_EQ(credits->looks().getAlpha(), 0.0f) << "the panel waits for the flash's peak";
    EXPECT_FLOAT_EQ(credits->scroll, 680.0f);
    run(1);
    EXPECT_GE(white->looks().getAlpha(), lastWhite);
    lastWhite = white->looks().getAlpha();
    ++frames;
  }
  EXPECT_NEAR(frames, 25, 2) << "the flash rises by 0.04 a 20 ms frame";
  run(1);
  EXPECT_FLOAT_EQ(credits->looks().getAlpha(), 1.0f) << "the panel shows at the peak";
  const float top = credits->scroll;
  run(10);
  EXPECT_LT(white->looks().getAlpha(), 1.0f) << "the flash falls once it has peaked";
  EXPECT_NEAR(credits->scroll, top - 6.0f, 0.01f);

  // A short click is not enough; a press held a second ends them with a fade.
  KInput::noteButton(1, true);
  run(5);
  KInput::noteButton(1, false);
  run(30);
  EXPECT_FLOAT_EQ(credits->looks().getAlpha(), 1.0f);
  KInput::noteButton(1, true);
  run(60);
  KInput::noteButton(1, false);
  run(30);
  EXPECT_EQ(panel(kCredits), nullptr);
}

} // namespace

// BACK on the video panel closes that panel, not the options panel standing beside it.
TEST_F(MenuWidgetsTest, TheVideoPanelsBackClosesItsOwnPanel) {
  ASSERT_NO_FATAL_FAILURE(start());
  openOptions();
  constexpr unsigned kVideoPanel = 228;
  ASSERT_NE(menukit::open(ec(), "VIDEOMENU", 250.0f, 0.0f), nullptr);
  run(3);
  ASSERT_NE(panel(kVideoPanel), nullptr);
  click(button(kVideoPanel, kVideoBack));
  run(30);
  EXPECT_EQ(panel(kVideoPanel), nullptr);
  EXPECT_NE(panel(kOptions), nullptr);
}
