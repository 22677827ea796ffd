#include "menus/CSliderDragController.h"

#include "engine/KInput.h"
#include "media/CFatal.h"
#include "media/CLogger.h"
#include "menus/CMapEntity_SliderBase.h"
#include "menus/MenuKit.h"

float CSliderDragController::valueAt(float mouseX, float trackX) {
  const float t = (mouseX - 10.0f) - trackX;
  if (t < 0.0f) return 0.0f;
  if (t > 200.0f) return 1.0f;
  return t / 200.0f;
}

void CSliderDragController::update() {
  menukit::hover(collection, entity, hovered);
  CMapEntity_Game *cursor = menukit::cursor(collection);
  if (!cursor || !cursor->hits().isActionCollisionWithEntity(entity) || !KInput::getLeftButtonState()) return;
  auto *track = dynamic_cast<CMapEntity_SliderBase *>(entity->carrying().getParent());
  if (!track) {
    CLogger::instance()->log("Slider base not found for slider!");
    fatalError("Slider base not found for slider!", 0);
    return;
  }
  track->setValue(valueAt((float)KInput::getMouseX(), track->getX()));
}
