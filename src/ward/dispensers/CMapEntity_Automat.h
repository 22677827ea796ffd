#pragma once
#include <string>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

class Timer;

// One row of the dispenser table: what the kind puts out and where.
struct TAutomatKind {
  const char *name;
  uint32_t entityID;
  bool solid;
  unsigned short walkPenalty;
  int32_t approachX, approachY;
  const char *item;
  float itemX, itemY;
  bool light;
};

// A dispenser (`kDispenserClass`): holds one comfort item at a time, put out by its behaviour on
// the restock timer. The drink machine's copies carry a lamp (red empty, green stocked).
class CMapEntity_Automat : public CCloneable<CMapEntity_Automat, CMapEntity_Game> {
public:
  static const uint16_t kItemClass = 18;
  static const uint16_t kLightID = 210;

  // The prototype of the named kind ("MEDDRINK", "STROMAUTOMAT", "TOYMATE", "KNIHOVNA").
  CMapEntity_Automat(const TAutomatKind &kind);
  CMapEntity_Automat(const CMapEntity_Automat &other);
  ~CMapEntity_Automat() override;

  static const TAutomatKind *kindOf(const std::string &name);
  // What a click on it says while it holds nothing: "No banana yet".
  std::string notStocked() const;

  std::string itemName;
  float itemX = 0.0f;
  float itemY = 0.0f;
  // Game time; the behaviour sets its period when it binds.
  Timer *restock;

private:
  bool light = false;
};

// The drink machine's lamp.
class CMapEntity_AutomatSvetlo : public CCloneable<CMapEntity_AutomatSvetlo, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
};
