#include "menus/CCreditsController.h"

#include "engine/KInput.h"
#include "media/CGlobals.h"
#include "media/Timer.h"
#include "menus/CMapEntity_Credits.h"
#include "menus/MenuKit.h"
#include "world/CComicController.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity_Fader.h"
#include "world/CMapEntity_Visual.h"

namespace {
constexpr unsigned int kConfettiID = 384;
constexpr unsigned int kComicID = 325;
constexpr unsigned int kWhiteID = 1101;

const float kRed[3] = {1.0f, 0.3f, 0.3f};
const float kGreen[3] = {0.3f, 1.0f, 0.3f};
const float kWhite[3] = {1.0f, 1.0f, 1.0f};

// The roles and the made-up people and companies behind them.
struct TCreditLine {
  const char *text;
  const float *colour;
};
const TCreditLine kLines[] = {
    {"GAME DEVELOPED BY", kRed}, {"Lantern Hill Studio", kWhite}, {"&", kRed}, {"Pebble Cart Games", kWhite},
    {"", kWhite},
    {"PRODUCED BY", kRed}, {"Northwind Playworks", kWhite}, {"", kWhite},
    {"GAME DESIGN", kRed}, {"Ada Morrow", kWhite}, {"Piet Kolar", kWhite}, {"Mina Orsay", kWhite},
    {"Teo Brandt", kWhite}, {"", kWhite},
    {"LANTERN HILL STUDIO", kRed}, {"", kWhite},
    {"PROGRAMMING", kGreen}, {"Jonas Velde", kWhite}, {"", kWhite},
    {"BACKGROUND ART", kGreen}, {"Clara Finch", kWhite}, {"", kWhite}, {"", kWhite}, {"", kWhite},
    {"CHARACTER ART & ANIMATION", kRed}, {"Rosa Delane", kWhite}, {"", kWhite},
    {"SOUND DESIGN", kRed}, {"Hum & Hiss Audio", kWhite}, {"", kWhite},
    {"VOICE TALENT", kRed}, {"Male Voices", kGreen}, {"Oskar Lind", kWhite}, {"", kWhite},
    {"Female Voices", kGreen}, {"Ilse Marten", kWhite}, {"", kWhite},
    {"MUSIC BY", kRed}, {"Felix Arden", kWhite}, {"", kWhite}, {"", kWhite}, {"", kWhite}, {"", kWhite},
    {"NORTHWIND PLAYWORKS", kRed}, {"", kWhite},
    {"EXECUTIVE PRODUCER", kGreen}, {"Greta Holm", kWhite}, {"", kWhite},
    {"PRODUCER", kGreen}, {"Tomas Rell", kWhite}, {"", kWhite},
    {"QA LEAD TESTER", kGreen}, {"Nina Sorel", kWhite}, {"", kWhite},
    {"QA TESTING", kGreen}, {"Ben Aldous", kWhite}, {"Kira Vos", kWhite}, {"Milo Trent", kWhite},
    {"Una Pike", kWhite}, {"", kWhite}, {"", kWhite}, {"", kWhite},
    {"SPECIAL THANKS TO", kRed}, {"Hal Quill", kWhite}, {"Edda Ross", kWhite}, {"Ivo Mares", kWhite},
    {"Lena Crane", kWhite}, {"Pavel Ostrow", kWhite}, {"Sara Nyberg", kWhite}, {"&", kRed},
    {"all our wonderful Beta Testers", kWhite}, {"", kWhite},
    {"VERY SPECIAL THANKS TO", kRed}, {"Dora Whitlow", kWhite},
};
} // namespace

void CCreditsController::onBind() {
  menukit::playSound("PHOTOFLASH");
  auto *credits = dynamic_cast<CMapEntity_Credits *>(entity);
  if (!credits) return;
  credits->scroll = 680.0f;
  for (const TCreditLine &l : kLines) credits->addRadek(l.text, l.colour[0], l.colour[1], l.colour[2]);
}

void CCreditsController::update() {
  auto *credits = dynamic_cast<CMapEntity_Credits *>(entity);
  if (!credits) return;
  const float f = CGlobals::instance()->deltaFactor;
  CMapEntity *white = credits->getContainedEntity(kWhiteID);

  if (flashRising) {
    if (white) white->changeAlpha(0.04f, true);
    if (!white || white->looks().getAlpha() >= 1.0f) {
      flashRising = false;
      menukit::playSound("PHOTOCLICK");
    }
  } else {
    if (white) white->changeAlpha(-0.04f, true);
    if (!credits->fromMenu) menukit::closeIfOpen(collection, kConfettiID);
  }
  if (credits->looks().getAlpha() < 1.0f && !flashRising && !ending) {
    credits->setAlpha(1.0f, true);
  }
  if (credits->looks().getAlpha() == 1.0f) credits->scroll -= 0.6f * f;

  const bool passed = credits->scroll <= -(float)(credits->getRadky().size() * 20);
  if (!credits->fromMenu) {
    CMapEntity_Game *comic = collection->getEntityByID(kComicID);
    if (passed && comic && !ending) {
      if (auto *c = dynamic_cast<CComicController *>(comic->getController()))
        if (CMapEntity_Fader *f = c->getFader()) f->setSmer(true);
      ending = true;
    }
    return;
  }
  if (passed || (KInput::getLeftButtonState() && dismissTimer.udalost())) ending = true;
  if (ending) {
    float a = credits->looks().getAlpha() - 0.04f * f;
    credits->setAlpha(a < 0.0f ? 0.0f : a, false);
    if (a <= 0.0f) {
      credits->setKill(true);
      collection->unfocus(nullptr);
    }
  }
}
