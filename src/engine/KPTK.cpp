#include "engine/KPTK.h"

#include "engine/KBatch.h"
#include "engine/KGraphicGL.h"
#include "engine/KWindowGL.h"

KWindow *myWindow = nullptr;

KWindow *KPTK::createKWindow(Erenderer, bool depthBuffer) {
  return depthBuffer ? new KWindowGL(true) : new KWindowGL();
}

KGraphic *KPTK::createKGraphic() { return new KGraphicGL(); }

KGraphic *KPTK::createKGraphic(const char *file) {
  KGraphicGL *g = new KGraphicGL();
  g->loadPicture(file, true, true);
  return g;
}

KBatch *KPTK::createKBatch() { return new KBatch(); }
