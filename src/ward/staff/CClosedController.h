#pragma once
#include <string>
#include <vector>

#include "world/CCloneable.h"
#include "world/CEntityController.h"

class CMapEntity_Game;
class CMapEntity_TextBox;

// The "CLOSED" sign: fades in once placed, and its card names what still keeps the day open.
class CClosedController : public CCloneable<CClosedController, CEntityController> {
public:
  using CCloneable::CCloneable;
  CClosedController(const CClosedController &other) : CCloneable(other) {}
  void onBind() override;
  void update() override;

  // "Left: make 2 beds, empty the linen, 1 needs medicine, ..." for the ward's entities; "All done!".
  // Shorter by `brevity`: 1 names things in a word, 2 counts the patients together.
  static std::string whatIsLeft(const std::vector<CMapEntity_Game *> &entities, int brevity = 0);

private:
  // The longest list that fits the card on one line.
  std::string fitting() const;

  CMapEntity_TextBox *card = nullptr;
};
