#pragma once
#include <cstdint>
#include <string>

#include "guidance/CTipKit.h"
#include "media/Timer.h"
#include "world/CCloneable.h"
#include "world/CEntityController.h"

class CMapEntity;
class CMapEntity_PacientClass;

// Waits one second of game time, then opens the tutorial's first bubble and goes. Follows the
// pointer with its invisible entity.
class CHelpTriggerController : public CCloneable<CHelpTriggerController, CEntityController> {
public:
  using CCloneable::CCloneable;

  void specificHandleMessages(KEvent *ev) override;
  void update() override;

private:
  TPointerFollow pointer;
  Timer start{1000, false};
};

// What every tutorial step shares: the pointer it follows, the patient it teaches with, the
// hearts it keeps up while the player reads, and the hand-over to the next bubble.
class CTutorialStep : public CEntityController {
public:
  using CEntityController::CEntityController;
  // A press on the patient the lesson still holds back says why nothing happens, and so does the
  // end of a drag begun there.
  void specificHandleMessages(KEvent *ev) override;
  // Every frame: the patient's hearts kept up while the words are read, then the step's own work.
  void update() final;

protected:
  // What this step waits for before the held-back patient is the player's, in the player's words.
  virtual const char *gate() const { return "In a moment, they are yours!"; }
  // The hearts the step keeps its patient at, whatever befalls her: full (5, mood 1.0) or four
  // (mood 0.65); 0 for none.
  virtual int heldHearts() const { return 5; }
  // The step's own work of a frame, with its bubble and the ward at hand.
  virtual void advance() = 0;
  // Looked up anew every time: the newest patient of the ward, or null.
  CMapEntity_PacientClass *patient() const;
  CMapEntity_Game *figure() const;
  bool figureCarries(uint32_t id) const;
  // Opens the next bubble and removes this one with everything it carries.
  void handOver(const char *next, float x, float y);
  // Takes down an arrow this bubble put up.
  void drop(TEntityRef<CMapEntity_Game> &arrow) { tipkit::dropArrow(arrow, collection, entity); }

  TPointerFollow pointer;

private:
  // The press the gate was said for, while the button is down.
  bool refusedPress = false;
  int32_t pressX = 0;
  int32_t pressY = 0;
};

// Points at the patient and the examination chair until she sits there.
class CTutorial1Controller : public CCloneable<CTutorial1Controller, CTutorialStep> {
public:
  using CCloneable::CCloneable;
  void onBind() override;
  void specificHandleMessages(KEvent *) override {}
  void advance() override;

private:
  void startStay(CMapEntity_PacientClass *p);
  TEntityRef<CMapEntity_Game> follower;
};

// Keeps bed 2 shut while she is measured, and her at the desk until the click it asks for.
class CTutorial1bController : public CCloneable<CTutorial1bController, CTutorialStep> {
public:
  using CCloneable::CCloneable;
  void onBind() override;
  void advance() override;
};

// Points at bed 1 until she lies in a bed.
class CTutorial2Controller : public CCloneable<CTutorial2Controller, CTutorialStep> {
public:
  using CCloneable::CCloneable;
  void onBind() override;
  void advance() override;
};

// Waits for her outbreak.
class CTutorial2bController : public CCloneable<CTutorial2bController, CTutorialStep> {
public:
  using CCloneable::CCloneable;
  void advance() override;
  int heldHearts() const override { return 0; }
};

// Keeps the outbreak going until the doctor has examined her.
class CTutorial3Controller : public CCloneable<CTutorial3Controller, CTutorialStep> {
public:
  using CCloneable::CCloneable;
  void onBind() override;
  void advance() override;
};

// Points at the cabinet until the prescription is handed in.
class CTutorial4Controller : public CCloneable<CTutorial4Controller, CTutorialStep> {
public:
  using CCloneable::CCloneable;
  void onBind() override;
  void advance() override;
};

// Waits for the cabinet's medicine.
class CTutorial5Controller : public CCloneable<CTutorial5Controller, CTutorialStep> {
public:
  using CCloneable::CCloneable;
  void advance() override;
};

// Points at the medicine, then at her bed, until she has taken it.
class CTutorial6Controller : public CCloneable<CTutorial6Controller, CTutorialStep> {
public:
  using CCloneable::CCloneable;
  void onBind() override;
  void advance() override;

private:
  TEntityRef<CMapEntity_Game> medicineArrow;
};

// No new outbreak while she gets better; when she pays, the next patient comes in.
class CTutorial7Controller : public CCloneable<CTutorial7Controller, CTutorialStep> {
public:
  using CCloneable::CCloneable;
  void onBind() override;
  void advance() override;
};

// Points at her money until every bed is free; bed 2 opens again.
class CTutorial8Controller : public CCloneable<CTutorial8Controller, CTutorialStep> {
public:
  using CCloneable::CCloneable;
  void onBind() override;
  void advance() override;
  int heldHearts() const override { return 4; }

protected:
  const char *gate() const override { return "Not yet: collect the money!"; }
};

// The bed to make, then the hamper for its sheets.
class CTutorial9Controller : public CCloneable<CTutorial9Controller, CTutorialStep> {
public:
  using CCloneable::CCloneable;
  void onBind() override;
  void advance() override;
  int heldHearts() const override { return 4; }

protected:
  const char *gate() const override;

private:
  TEntityRef<CMapEntity_Game> bedArrow;
  TEntityRef<CMapEntity_Game> hamperArrow;
};

// Praise for four seconds; then every bed is unmade for one more round of tidying.
class CTutorial9bController : public CCloneable<CTutorial9bController, CTutorialStep> {
public:
  using CCloneable::CCloneable;
  void onBind() override;
  void advance() override;
  int heldHearts() const override { return 4; }

protected:
  const char *gate() const override { return "Not yet: the beds come first!"; }

private:
  Timer praise{4000, false};
};

// Points at the two beds standing at x 48 and 208 until each is made.
class CTutorial9cController : public CCloneable<CTutorial9cController, CTutorialStep> {
public:
  using CCloneable::CCloneable;
  void onBind() override;
  void advance() override;
  int heldHearts() const override { return 4; }

protected:
  const char *gate() const override { return "Not yet: make both beds first!"; }

private:
  TEntityRef<CMapEntity_Game> left;
  TEntityRef<CMapEntity_Game> right;
};

// Points at the hamper until the sheets are in.
class CTutorial9dController : public CCloneable<CTutorial9dController, CTutorialStep> {
public:
  using CCloneable::CCloneable;
  void onBind() override;
  void advance() override;
  int heldHearts() const override { return 4; }

protected:
  const char *gate() const override;
};

// After four seconds the new patient may be clicked and the first-day tips begin.
class CTutorial9eController : public CCloneable<CTutorial9eController, CTutorialStep> {
public:
  using CCloneable::CCloneable;
  void advance() override;
  int heldHearts() const override { return 4; }

private:
  Timer wait{4000, false};
};

// Points at the new patient and the chair for five seconds, unless a tip replaces it first.
class CTutorial10Controller : public CCloneable<CTutorial10Controller, CTutorialStep> {
public:
  using CCloneable::CCloneable;
  void onBind() override;
  void advance() override;
  int heldHearts() const override { return 0; }

private:
  Timer life{5000, false};
};
