#include "world/CComicController.h"

#include "engine/KInput.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity_Fader.h"
#include "world/CWorldEngine.h"

void CComicController::onBind() {
  if (collection) fading = CMapEntity_Fader::open(collection, false, 1000);
}

// The button is read from the input state, not from click events: a press begun and ended
// between two updates is not seen, and one held through the fade-in counts once it is over.
void CComicController::update() {
  CMapEntity_Fader *fader = getFader();
  if (!fader) return;
  if (KInput::getLeftButtonState() && !fader->getSmer() && fader->isComplete()) fader->setSmer(true);
  if (!fader->isComplete()) fader->fade();
  if (fader->isComplete() && fader->getSmer()) {
    CLevel *level = worldEngine() ? worldEngine()->getLevel() : CLevel::getRunning();
    if (level) level->setLevelOver(true);
  }
}
