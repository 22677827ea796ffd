#pragma once
#include "core/CStavHry.h"

// The pause state "PAUZA": shows "PAUSE" over the last picture and stops game time until a
// click or a key press returns to "HRA". Nothing in the game switches to it.
class CStavHry_Pauza : public CStavHry {
public:
  explicit CStavHry_Pauza(std::string name) : CStavHry(std::move(name)) {}

  void init(CEngine *engine) override;
  void handleMessages(KEvent *event) override;
  void update() override;
  void close() override;

  bool getShown() const { return slovo2 != 0; }
};
