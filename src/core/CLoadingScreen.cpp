#include "core/CLoadingScreen.h"

#include "core/CEngine.h"
#include "engine/KMiscTools.h"
#include "engine/KPTK.h"
#include "engine/KText.h"
#include "engine/KWindow.h"
#include "media/CFontSeznam.h"
#include "media/CSurface.h"
#include "media/Frame.h"
#include "media/Frameset.h"
#include "media/GameGlobals.h"
#include "media/ZSprite.h"
#include "media/ZSpriteFactory.h"

CLoadingScreen::CLoadingScreen()
    : loading(nullptr), loadingBg(nullptr), logo(nullptr), logoFill(nullptr), fill(0.0f), drawCount(0), lastDraw(0), drawnFor(0) {}

CLoadingScreen::~CLoadingScreen() {
  freeSprites();
  if (m_instance == this) m_instance = nullptr;
}

void CLoadingScreen::freeSprites() {
  delete loading;
  delete loadingBg;
  delete logo;
  delete logoFill;
  loading = loadingBg = logo = logoFill = nullptr;
}

void CLoadingScreen::nahrajSprite() {
  if (!spriteFactory) return;
  freeSprites();
  loading = spriteFactory->cloneSprite("LOADING");
  loadingBg = spriteFactory->cloneSprite("LOADINGBG");
  logo = spriteFactory->cloneSprite("LOADINGLOGO");
  logoFill = spriteFactory->cloneSprite("LOADINGLOGOFILL");
  for (ZSprite *s : {loading, loadingBg, logo, logoFill}) s->nastavFrameset("FRAMESET1");
  // Shown between every two levels: its pictures stay loaded whatever the level.
  std::vector<unsigned int> pictures;
  for (ZSprite *s : {loading, loadingBg, logo, logoFill}) s->collectSurfaces(pictures);
  for (unsigned int h : pictures)
    if (CSurface *surface = CSurfaceManager::instance()->getSurface(h)) surface->setHoldInMemory(true);
  // Decoded on the workers while start-up reads on, before the first progress shows them.
  CSurfaceManager::instance()->prefetch(pictures);
  if (loading->getAktivniFrameset()) loading->getAktivniFrameset()->zapniAnimace();
}

void CLoadingScreen::setText(std::string t) {
  // Every loading step restates its text; only a new text needs showing at once.
  bool changed = t != text || drawCount == 0;
  text = std::move(t);
  if (!changed && !due()) return;
  drawTimed(1);
}

// Counted from when the last drawing began (a full-screen picture takes a while to show, and
// counting from its end would stretch every gap by that while), yet half as long again as that
// drawing took, so a slow screen still leaves the loading a third of the time.
bool CLoadingScreen::due() const {
  const unsigned long since = KMiscTools::getMilliseconds() - lastDraw;
  return since >= kMinRedrawMs && since >= drawnFor + drawnFor / 2;
}

void CLoadingScreen::drawTimed(int times) {
  lastDraw = KMiscTools::getMilliseconds();
  for (int i = 0; i < times; ++i) draw();
  drawnFor = KMiscTools::getMilliseconds() - lastDraw;
}

void CLoadingScreen::setFill(float f) {
  fill = f;
  // Hundreds of fill steps arrive within a second; drawing each one would spend the start-up
  // waiting on buffer flips. A step that comes sooner than the eye could see it is left for the
  // next one, except the last, which always shows.
  if (f < 1.0f && drawCount > 0 && !due()) return;
  drawTimed(2);
}

short CLoadingScreen::fillWidth(unsigned int frameWidth, float f) {
  if (!(f > 0.0f)) return 0;
  if (f > 1.0f) f = 1.0f;
  return (short)(unsigned int)((float)frameWidth * f);
}

void CLoadingScreen::draw() {
  ++drawCount;
  KGraphic *g = backbuffer;
  if (loadingBg) {
    loadingBg->putAlpha(g, 1.0f, 1.0f, -1, -1, -1, -1);
  }

  CWorldEngine *host = CWorldEngine::running();
  CFontSeznam *fonts = host ? host->getFontSeznam() : nullptr;
  if (fonts) {
    fonts->setAktivniFont("gamefont");
    KText *font = fonts->getAktivniFont();
    if (font) {
      // A grey outline under the white line.
      font->setColor(0.4f, 0.4f, 0.4f, 1.0f);
      for (long dx = 0; dx <= 2; ++dx)
        for (long y = 529; y <= 531; ++y) font->drawStringCentered(text.c_str(), dx, 800 + dx, y, 0.0f);
      font->setColor(1.0f, 1.0f, 1.0f, 1.0f);
      font->drawStringCentered(text.c_str(), 1, 801, 530, 0.0f);
    }
  }

  if (logoFill) {
    logoFill->x = 291;
    logoFill->y = 1;
    Frameset *fs = logoFill->getAktivniFrameset();
    Frame *frame = fs ? fs->getAktivniFrame() : nullptr;
    short w = fillWidth(frame ? frame->getSirka() : 0, fill);
    if (w > 0) logoFill->putVyrez(g, w, -1, -1, -1);
  }
  if (logo) {
    logo->x = 260;
    logo->y = 1;
    logo->putAlpha(g, 1.0f, 1.0f, -1, -1, -1, -1);
  }
  if (loading) {
    loading->x = 294;
    loading->y = 139;
    // The figure is not part of the game: its dance moves on as it is shown.
    loading->step();
    loading->putAlpha(g, 1.0f, 1.0f, -1, -1, -1, -1);
  }
  if (!myWindow) return;
  // Loading is no game frame: the picture shows at once instead of waiting for the frame rate.
  const long rate = myWindow->getMaxFrameRate();
  myWindow->setMaxFrameRate(0);
  myWindow->flipBackBuffer(true, true);
  myWindow->setMaxFrameRate(rate);
}
