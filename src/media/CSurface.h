#pragma once
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/KGraphic.h"
#include "media/CSingleton.h"
#include "media/Rect.h"

class KPrefetch;

// One picture file of the game and the rule for loading it: registered by path, read and
// turned into a texture when a level that shows it is built (or, failing that, when something
// first draws from it).
class CSurface {
public:
  CSurface(std::string file, bool hiKvalita, bool smooth, bool holdInMemory);
  CSurface(CSurface const &) = delete;
  CSurface &operator=(CSurface const &) = delete;
  ~CSurface();

  // With `workers`, a texture they made ready for the file is taken and only uploaded.
  void load(KPrefetch *workers = nullptr);
  void unload();
  bool isLoaded() const { return picture != nullptr; }
  // The regions the picture will be given (none when it is kept whole).
  const std::vector<KRegion> &regionsToLoad() const;
  void smazSurface();

  // The target is not used: the surface's own picture draws into the current frame.
  void blitSurface(Rect *src, KGraphic *target, Rect *dest);
  void blitSurfaceFx(Rect *src, KGraphic *target, Rect *dest, float angle, float zoom);
  void blitSurfaceAlphaFx(Rect *src, KGraphic *target, Rect *dest, float alpha, float angle, float red, float green,
                          float blue, float zoom);

  void setAlphaMode(int mode);
  KGraphic *vratPointer() const { return picture; }
  std::string vratNazevSouboru() const { return nazevSouboru; }
  bool getHiKvalita() const { return hiKvalita; }
  bool getSmooth() const { return smooth; }
  bool getHoldInMemory() const { return holdInMemory; }
  void setHoldInMemory(bool hold) { holdInMemory = hold; }
  // The frames cut from the picture; a picture whose frames cover little of it keeps only them.
  void addRegion(int x, int y, int w, int h);
  // Blits take any part of the picture (a background): it is kept whole.
  void useWhole();

  // Where new pictures come from; tests put a recording picture here. Null restores the default.
  typedef KGraphic *(*PictureFactory)();
  static void setPictureFactory(PictureFactory factory);

private:
  // Loads on the first blit after registration or unload; false when there is nothing to draw.
  bool ensureLoaded();

  std::string nazevSouboru;
  std::vector<KRegion> regions;
  bool whole = false;
  KGraphic *picture;
  bool hiKvalita;
  bool smooth;
  bool holdInMemory;
  // Set when the last load failed; blits then draw nothing until the next unload.
  bool broken;
};

// Every picture surface of the run, in registration order; a surface's handle is its index.
class CSurfaceManager : public CSingleton<CSurfaceManager> {
public:
  CSurfaceManager() {}
  virtual ~CSurfaceManager();

  int nahrajSurface(std::string file, bool hiKvalita, bool smooth, bool holdInMemory);
  // Null for a handle that was never handed out.
  CSurface *getSurface(unsigned int handle) const;
  unsigned int getCount() const { return (unsigned int)surfaces.size(); }

  void blitSurface(unsigned int handle, Rect *src, KGraphic *target, Rect *dest);
  void blitSurfaceFx(unsigned int handle, Rect *src, KGraphic *target, Rect *dest, float angle, float zoom);
  void blitSurfaceAlphaFx(unsigned int handle, Rect *src, KGraphic *target, Rect *dest, float alpha, float angle,
                          float red, float green, float blue, float zoom);

  // The picture workers that decode ahead and side by side (the engine owns them); without
  // them every picture is decoded where it is loaded.
  void setWorkers(KPrefetch *workers) { this->workers = workers; }
  KPrefetch *getWorkers() const { return workers; }
  // Loads the pictures not loaded yet, decoding them side by side on the workers, before
  // anything they decode ahead. `meanwhile` is called every few milliseconds while it waits for
  // them and after each upload (to keep a loading screen moving).
  void loadAll(const std::vector<unsigned int> &handles, const std::function<void()> &meanwhile = nullptr);
  // Has the pictures not loaded yet decoded on the workers meanwhile, for a later loadAll.
  void prefetch(const std::vector<unsigned int> &handles);
  // Unloads every loaded picture that is neither among the handles nor held in memory.
  void keepOnly(const std::vector<unsigned int> &handles);
  // Pictures loaded because something drew them before they were loaded.
  unsigned long getLateLoads() const { return lateLoads; }
  void countLateLoad() { ++lateLoads; }

  // Kept for callers; they do nothing.
  void reload(std::string) {}
  void flushAll() {}
  void reloadAll() {}
  void cleanTextures() {}
  void cleanUnusedTextures() {}

private:
  static const int kMeanwhileMs = 5;
  // The jobs for the pictures among the handles not loaded yet; none without workers.
  void request(const std::vector<unsigned int> &handles, bool now);

  std::vector<CSurface *> surfaces;
  KPrefetch *workers = nullptr;
  std::unordered_map<std::string, int> byFile;
  unsigned long lateLoads = 0;
};
