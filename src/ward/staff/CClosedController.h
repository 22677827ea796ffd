#pragma once
#include <string>
#include <vector>

#include "world/CCloneable.h"
#include "world/CEntityController.h"
#include "world/TEntityRef.h"

class CMapEntity_Game;
class CMapEntity_TextBox;

// The "CLOSED" sign: fades in once placed, and its card names what still keeps the day open. It
// takes the nearest spot to where the day puts it that hides no face, words or caption. Whoever
// comes under it later (a patient laid in a bed below, the doctor walking past) finds it
// see-through: their outbreak ring, money and face stay in view, and the card's words stay dark
// enough to read.
class CClosedController : public CCloneable<CClosedController, CEntityController> {
public:
  using CCloneable::CCloneable;
  CClosedController(const CClosedController &other) : CCloneable(other) {}
  void onBind() override;
  void update() override;

  // "Left: make 2 beds, empty the linen, 1 needs medicine, ..." for the ward's entities; "All done!".
  // Shorter by `brevity`: 1 names things in a word, 2 counts the patients together.
  static std::string whatIsLeft(const std::vector<CMapEntity_Game *> &entities, int brevity = 0);

  static constexpr float kOverPatientAlpha = 0.3f;
  // How far it may move from where the day puts it.
  static constexpr float kReach = 120.0f;

private:
  // The longest list that fits a line of that width.
  std::string fitting(int width) const;
  // A face, or a patient in bed whose picture or outbreak ring, reaches into the sign's box.
  bool overSomeone() const;

  TEntityRef<CMapEntity_TextBox> cardRef;
};
