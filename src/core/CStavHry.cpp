#include "core/CStavHry.h"

#include "core/CEngine.h"
#include "media/CLogger.h"
#include "media/GameGlobals.h"

CStavHry::CStavHry(std::string n) : closed(1), active(0), name(std::move(n)), engine(nullptr), slovo1(0), slovo2(0) {}

void CStavHry::initVirtual() {
  closed = 0;
  active = 0;
}

void CStavHry::closeVirtual() {
  CLogger::instance()->log("Closing stav: " + name);
  closed = 1;
  active = 0;
}

bool ourOwnEventCallback(KEvent *event) {
  if (!event) return false;
  CEngine *running = CEngine::running();
  CStavHry *stav = running ? running->getAktualniStav() : nullptr;
  if (!stav || !stav->active) return true;
  stav->handleMessages(event);
  return true;
}
