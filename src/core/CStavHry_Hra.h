#pragma once
#include "core/CStavHry.h"

class Timer;

// The play state "HRA": every frame the level's update and render, the level-change checks and
// the buffer flip; input goes to the level.
class CStavHry_Hra : public CStavHry {
public:
  explicit CStavHry_Hra(std::string name);
  ~CStavHry_Hra() override;

  void init(CEngine *engine) override;
  void handleMessages(KEvent *event) override;
  void update() override;
  void close() override;

  // The level change of the frame: the end of a level, then a requested jump.
  void gameLogic_do();

  const std::string &getLevelName() const { return levelName; }

private:
  // The oldest waiting notice for the player, in the message window once none is open.
  void showNotice();

  Timer *timer3000;
  std::string levelName;
};
