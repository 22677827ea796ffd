#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"

// Typing into an input box: a left press takes the keyboard (the box and its panel's close box
// alone keep the input), letters, digits, '@' and '/' are added while there is room, Backspace
// erases, Return confirms (action) and Escape cancels (escapeAction).
class CMenuInputboxController : public CCloneable<CMenuInputboxController, CEntityController> {
public:
  using CCloneable::CCloneable;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;
  virtual void action() {}
  virtual void escapeAction() {}

  static bool acceptsCharacter(unsigned char c);

protected:
  int hovered = 0;
};

// The profile name box: Return renames its slot unless the name is empty or taken.
class CMenuInputboxNameController : public CCloneable<CMenuInputboxNameController, CMenuInputboxController> {
public:
  using CCloneable::CCloneable;
  void action() override;
  void escapeAction() override;

private:
  void refuse(const char *message);
};
