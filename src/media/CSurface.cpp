#include "media/CSurface.h"

#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "engine/KGraphic.h"
#include "engine/KPTK.h"
#include "engine/KPrefetch.h"
#include "engine/KTextureReady.h"
#include "media/CLogger.h"

namespace {
KGraphic *newPicture() { return KPTK::createKGraphic(); }

CSurface::PictureFactory g_pictureFactory = newPicture;
} // namespace

void CSurface::setPictureFactory(PictureFactory factory) { g_pictureFactory = factory ? factory : newPicture; }

CSurface::CSurface(std::string file, bool hiKvalita, bool smooth, bool holdInMemory)
    : nazevSouboru(std::move(file)), picture(nullptr), hiKvalita(hiKvalita), smooth(smooth),
      holdInMemory(holdInMemory), broken(false) {}

CSurface::~CSurface() { delete picture; }

void CSurface::load(KPrefetch *workers) {
  if (picture) return;
  KGraphic *p = g_pictureFactory();
  p->setRegions(regionsToLoad());
  // The loader may rewrite the path it is given; it gets a copy, never the registry key.
  std::vector<char> path(nazevSouboru.begin(), nazevSouboru.end());
  path.push_back(0);
  KTextureReady *ready = workers ? workers->take(nazevSouboru) : nullptr;
  broken = !(ready ? p->loadPictureReady(path.data(), ready, hiKvalita, true) : p->loadPicture(path.data(), hiKvalita, true));
  if (broken) CLogger::instance()->log("loadPicture error: " + nazevSouboru);
  p->setTextureQuality(true);
  picture = p;
}

void CSurface::addRegion(int x, int y, int w, int h) {
  for (const KRegion &r : regions)
    if (r.x == x && r.y == y && r.w == w && r.h == h) return;
  regions.push_back({x, y, w, h});
  // A packed picture lacks the new part: it is packed again when next loaded.
  if (picture && !whole) unload();
}

const std::vector<KRegion> &CSurface::regionsToLoad() const {
  static const std::vector<KRegion> none;
  return whole ? none : regions;
}

void CSurface::useWhole() {
  if (whole) return;
  whole = true;
  if (picture) unload();
}

void CSurface::unload() {
  delete picture;
  picture = nullptr;
  broken = false;
}

void CSurface::smazSurface() { unload(); }

bool CSurface::ensureLoaded() {
  if (!picture) {
    load(CSurfaceManager::instance()->getWorkers());
    CSurfaceManager::instance()->countLateLoad();
    CLogger::instance()->log("Surface: " + nazevSouboru + " loaded at its first draw.");
  }
  // A picture that failed to load stays as it is and draws nothing; there is no texture to blit.
  return !broken;
}

void CSurface::blitSurface(Rect *src, KGraphic *target, Rect *dest) {
  if (!ensureLoaded()) {
    // An opaque picture that could not be loaded covers its place in black: what was on the
    // screen before (the loading screen) must not show through as if it belonged there.
    if (target) target->drawRect((float)dest->x, (float)dest->y, (float)(dest->x + dest->w), (float)(dest->y + dest->h), 0, 0, 0, 1);
    return;
  }
  picture->blitRect((float)src->x, (float)src->y, (float)(src->x + src->w), (float)(src->y + src->h),
                    (short)dest->x, (short)dest->y, false, false);
}

void CSurface::blitSurfaceFx(Rect *src, KGraphic *, Rect *dest, float angle, float zoom) {
  if (!ensureLoaded()) return;
  float x1 = (float)src->x, y1 = (float)src->y;
  float x2 = (float)(src->x + src->w), y2 = (float)(src->y + src->h);
  if (angle == 0.0f && zoom == 1.0f)
    picture->blitAlphaRect(x1, y1, x2, y2, (short)dest->x, (short)dest->y, false, false);
  else
    picture->blitAlphaRectFx(x1, y1, x2, y2, (short)dest->x, (short)dest->y, angle, zoom, 1.0f, false, false, 0.0f,
                             0.0f);
}

void CSurface::blitSurfaceAlphaFx(Rect *src, KGraphic *, Rect *dest, float alpha, float angle, float red,
                                  float green, float blue, float zoom) {
  if (!ensureLoaded()) return;
  float x1 = (float)src->x, y1 = (float)src->y;
  float x2 = (float)(src->x + src->w), y2 = (float)(src->y + src->h);
  bool tinted = !(red == 1.0f && green == 1.0f && blue == 1.0f);
  // The tint belongs to this one blit; the picture is shared by every frameset that draws from it.
  if (tinted) picture->setBlitColor(red, green, blue, 1.0f);
  picture->blitAlphaRectFx(x1, y1, x2, y2, (short)dest->x, (short)dest->y, angle, zoom, alpha, false, false, 0.0f,
                           0.0f);
  if (tinted) picture->setBlitColor(1.0f, 1.0f, 1.0f, 1.0f);
}

void CSurface::setAlphaMode(int mode) {
  if (picture) picture->setAlphaMode((long)mode);
}

CSurfaceManager::~CSurfaceManager() {
  for (CSurface *s : surfaces) delete s;
  surfaces.clear();
}

int CSurfaceManager::nahrajSurface(std::string file, bool hiKvalita, bool smooth, bool holdInMemory) {
  auto at = byFile.find(file);
  if (at != byFile.end()) {
    CLogger::instance()->log("Surface: " + file + " found, nothing to load.");
    return at->second;
  }
  byFile.emplace(file, (int)surfaces.size());
  surfaces.push_back(new CSurface(std::move(file), hiKvalita, smooth, holdInMemory));
  return (int)surfaces.size() - 1;
}

void CSurfaceManager::request(const std::vector<unsigned int> &handles, bool now) {
  if (!workers || g_pictureFactory != newPicture) return;
  std::vector<KPrefetch::Job> jobs;
  for (unsigned int h : handles) {
    if (h >= surfaces.size() || surfaces[h]->isLoaded()) continue;
    KPrefetch::Job job;
    job.path = surfaces[h]->vratNazevSouboru();
    job.regions = surfaces[h]->regionsToLoad();
    jobs.push_back(job);
  }
  if (!jobs.empty()) workers->request(jobs, now ? KPrefetch::Need::Now : KPrefetch::Need::Ahead);
}

void CSurfaceManager::prefetch(const std::vector<unsigned int> &handles) { request(handles, false); }

void CSurfaceManager::loadAll(const std::vector<unsigned int> &handles, const std::function<void()> &meanwhile) {
  bool any = false;
  for (unsigned int h : handles) any = any || (h < surfaces.size() && !surfaces[h]->isLoaded());
  if (!any) return;
  if (workers && g_pictureFactory == newPicture) {
    request(handles, true);
    std::vector<std::string> paths;
    for (unsigned int h : handles)
      if (h < surfaces.size() && !surfaces[h]->isLoaded()) paths.push_back(surfaces[h]->vratNazevSouboru());
    // Uploaded as the workers finish them, whatever the order; what no load takes is dropped.
    for (;;) {
      if (meanwhile)
        while (!workers->waitFor(paths, kMeanwhileMs)) meanwhile();
      const std::string path = workers->next(paths);
      if (path.empty()) break;
      for (unsigned int h : handles)
        if (h < surfaces.size() && !surfaces[h]->isLoaded() && surfaces[h]->vratNazevSouboru() == path) {
          surfaces[h]->load(workers);
          break;
        }
      delete workers->take(path);
      if (meanwhile) meanwhile();
    }
  }
  for (unsigned int h : handles)
    if (h < surfaces.size()) surfaces[h]->load(workers);
#ifdef __GLIBC__
  // The decoding left whole pictures' worth of freed memory in the workers' heaps.
  malloc_trim(0);
#endif
}

void CSurfaceManager::keepOnly(const std::vector<unsigned int> &handles) {
  std::vector<char> wanted(surfaces.size(), 0);
  for (unsigned int h : handles)
    if (h < surfaces.size()) wanted[h] = 1;
  for (size_t i = 0; i < surfaces.size(); ++i)
    if (!wanted[i] && !surfaces[i]->getHoldInMemory() && surfaces[i]->isLoaded()) surfaces[i]->unload();
}

CSurface *CSurfaceManager::getSurface(unsigned int handle) const {
  return handle < surfaces.size() ? surfaces[handle] : nullptr;
}

// A handle the manager never gave out draws nothing.
void CSurfaceManager::blitSurface(unsigned int handle, Rect *src, KGraphic *target, Rect *dest) {
  if (handle < surfaces.size()) surfaces[handle]->blitSurface(src, target, dest);
}

void CSurfaceManager::blitSurfaceFx(unsigned int handle, Rect *src, KGraphic *target, Rect *dest, float angle,
                                    float zoom) {
  if (handle < surfaces.size()) surfaces[handle]->blitSurfaceFx(src, target, dest, angle, zoom);
}

void CSurfaceManager::blitSurfaceAlphaFx(unsigned int handle, Rect *src, KGraphic *target, Rect *dest, float alpha,
                                         float angle, float red, float green, float blue, float zoom) {
  if (handle < surfaces.size())
    surfaces[handle]->blitSurfaceAlphaFx(src, target, dest, alpha, angle, red, green, blue, zoom);
}
