#include "core/CStavHry_Pauza.h"

#include "core/CEngine.h"
#include "engine/KEvent.h"
#include "engine/KPTK.h"
#include "engine/KText.h"
#include "engine/KWindow.h"
#include "media/CGlobals.h"

void CStavHry_Pauza::init(CEngine *e) {
  initVirtual();
  engine = e;
  active = 1;
  slovo1 = 0;
  slovo2 = 0;
}

void CStavHry_Pauza::update() {
  KText *big = engine ? engine->built().getBigFont() : nullptr;
  if (big) big->drawStringCentered("PAUSE", 0, 800, 135, 0.0f);
  CGlobals::instance()->paused = true;
  // One flip shows the caption; later frames leave the picture as it is.
  if (!slovo2) {
    if (myWindow) myWindow->flipBackBuffer(true, true);
    slovo2 = 1;
  }
}

void CStavHry_Pauza::handleMessages(KEvent *event) {
  if (!event) return;
  if (event->type != K_EVENT_MOUSEDOWN && event->type != K_EVENT_KEYDOWN_FIRST) return;
  CGlobals::instance()->paused = false;
  slovo2 = 0;
  if (engine) engine->prepniStav("HRA");
}

void CStavHry_Pauza::close() { closeVirtual(); }
