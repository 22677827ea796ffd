#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "world/CLevel.h"

class CCustomerGenerator;
class CMapEntitiesCollection_Game;
struct CWorkLeft;

// Every level the game builds: adds the day's money, the cured and lost counts, the patient
// generator, the four level texts and, every frame, the information overlay that opens the help
// window, shows the money and the goal, and ends the working day with its summary.
class CLevel_Game : public CLevel {
public:
  // How long the day summary waits after the last patient has gone, in game time.
  static const int kSummaryDelay = 3000;

  explicit CLevel_Game(CWorldEngine *engine);

  void addSpecialEntities() override;
  void nahrajAdditional(std::string name) override;
  void updateInfo() override;
  void renderInfo() override;
  void bindECs() override;
  void generatorsWork() override;
  void collectLevelPictures(std::vector<unsigned int> &out) const override;
  ~CLevel_Game() override;

  // The level's files, then the patients that sit in the waiting room from the start.
  void load(std::string name);

  // Appends the bytes of the file at path (a real path) to text; a missing file adds nothing.
  static void nahrajString(std::string &text, const std::string &path);

  int getMoney() const { return money; }
  // Adds n (negative allowed); the money never goes below 0.
  void changeMoney(int n);
  void incCured() { ++cured; }
  void incLost() { ++lost; }
  int getCured() const { return cured; }
  int getLost() const { return lost; }

  // The day's time has run out: the clock's elapsed time is past the level length. A level
  // without a clock never closes.
  bool closed() const;
  // The part of the day that has passed, 0 to 1; 0 without a clock.
  float getTimeLeftPercent() const;
  // Ends the day's time now (the day counts as over from the next millisecond).
  void finishClock();
  // What keeps the day open after closing time; the day ends when nothing is left.
  CWorkLeft workLeft() const;
  bool noCustomers() const;
  // No rubbish in the player figure's hands and every bed made up; true without a player figure.
  bool noLaundry() const;
  void setShopping(bool s) { shopping = s ? 1 : 0; }
  bool getShopping() const { return shopping != 0; }

  const std::string &getIntroText() const { return introText; }
  const std::string &getOutroText() const { return outroText; }
  const std::string &getIntroEntity() const { return introEntity; }
  const std::string &getEntityDesc() const { return entityDesc; }
  CCustomerGenerator *getGenerator() const { return generator; }
  Timer *getSummaryDelay() const { return summaryDelay; }

  bool getHelpShown() const { return helpShown != 0; }
  bool getSummaryShown() const { return summaryShown != 0; }
  bool getDayOver() const { return dayOver != 0; }
  bool getClosedShown() const { return closedShown != 0; }
  bool getGoalShown() const { return goalShown != 0; }
  bool getExpertShown() const { return expertShown != 0; }

  // A big word ("CURED!", or over it the picture named, "GOAL!" or "EXPERT!") at (x, y) with its
  // sound. Big words follow one another: one waits until the word before it has nearly faded.
  void showBigWord(float x, float y, const std::string &picture, const std::string &sound);

protected:
  int32_t money;
  CCustomerGenerator *generator;
  int32_t shopping;
  int32_t helpShown;
  int32_t summaryShown;
  int32_t dayOver;
  int32_t closedShown;
  int32_t goalShown;
  int32_t expertShown;
  std::string introText;
  std::string outroText;
  std::string introEntity;
  std::string entityDesc;
  Timer *summaryDelay;
  int32_t cured;
  int32_t lost;

private:
  void openHelpWindow();
  void drawMoney(bool goal, bool expert);
  void openSummary();
  void playSound(const char *key);
  CMapEntity_Game *cloneAt(const char *prototype, float x, float y);
  // A text box carried by the window at the offset.
  CMapEntity_Game *carryTextBox(CMapEntity_Game *window, float dx, float dy, const char *font,
                                const std::string &text);
  void releaseBigWord();

  struct TBigWord {
    float x, y;
    std::string picture, sound;
  };
  std::vector<TBigWord> bigWords;
  void prefetchWorkingDayPictures();

  // Where the intro entity's name was read from, for the message when no prototype bears it.
  std::string introEntityPath;
};
