#pragma once
// The newcomer's eyes on the real game. Every picture the game draws is recorded at the picture's
// own blit (sprites, backgrounds, panels, the glyphs of its texts, full-screen fades), in drawing
// order; a frame's record becomes a Screen of what was drawn: each picture by its look (the
// sprite, animation and frame its pixels come from) and where it landed, the texts on it read
// from their glyphs, the same thing followed from frame to frame by look and place. Which picture
// shows at each pixel is worked out, from the pictures' own alpha, only for the screens the
// newcomer decides on.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "Human.h"
#include "core/CEngine.h"
#include "engine/KFont.h"
#include "engine/KGraphicGL.h"
#include "engine/KMiscTools.h"
#include "engine/KPictureDecoder.h"
#include "engine/KText.h"
#include "media/CFontSeznam.h"
#include "media/CSurface.h"
#include "media/Frame.h"
#include "media/Frameset.h"
#include "media/GameGlobals.h"
#include "media/ZSprite.h"
#include "media/ZSpriteFactory.h"

// One blit as drawn: a part of a picture (or a solid fill) turned and zoomed about a point.
struct Blit {
  int picture = -1;                 // the Drawing's picture, -1 for a solid fill
  float sx = 0, sy = 0, sw = 0, sh = 0;  // source rectangle, picture pixels
  float cx = 0, cy = 0;             // the screen point it is turned and zoomed about...
  float px = 0, py = 0;             // ...and where that point lies from the source's corner
  float angle = 0, zoom = 1;        // degrees, clockwise on the screen
  float r = 1, g = 1, b = 1, a = 1;
  bool additive = false;            // light added (a flash): it hides nothing
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // the screen box it may touch

  void place() {
    const float c = std::cos(angle * 0.017453293f), s = std::sin(angle * 0.017453293f);
    float lo[2] = {1e9f, 1e9f}, hi[2] = {-1e9f, -1e9f};
    for (float u : {-px, sw - px})
      for (float v : {-py, sh - py}) {
        const float X = cx + zoom * (c * u + s * v), Y = cy + zoom * (-s * u + c * v);
        lo[0] = std::min(lo[0], X), hi[0] = std::max(hi[0], X);
        lo[1] = std::min(lo[1], Y), hi[1] = std::max(hi[1], Y);
      }
    x0 = (int)std::floor(lo[0]), y0 = (int)std::floor(lo[1]);
    x1 = (int)std::ceil(hi[0]), y1 = (int)std::ceil(hi[1]);
  }
  // The source pixel drawn at the screen pixel (X, Y); false outside the source rectangle.
  bool source(float X, float Y, int &u, int &v) const {
    float dx = X - cx, dy = Y - cy;
    float fu = dx, fv = dy;
    if (angle != 0 || zoom != 1) {
      const float c = std::cos(angle * 0.017453293f), s = std::sin(angle * 0.017453293f);
      fu = (c * dx - s * dy) / zoom;
      fv = (s * dx + c * dy) / zoom;
    }
    fu += px, fv += py;
    if (fu < 0 || fv < 0 || fu >= sw || fv >= sh) return false;
    u = (int)(sx + fu), v = (int)(sy + fv);
    return true;
  }
};

// Everything drawn, frame by frame, while the eyes are open; the pictures by file.
class Drawing {
public:
  static Drawing &get() {
    static Drawing d;
    return d;
  }
  struct Picture {
    std::string path;
    const KFont *font = nullptr;
    bool decoded = false;
    int w = 0, h = 0;
    std::vector<uint8_t> alpha;  // rows from the top
  };

  bool open = false;
  // The blits noted and not painted: what the newcomer sees is the same, the tables come several
  // times sooner (the software rasteriser's work is most of a drawn day's time).
  bool unpainted = false;
  std::vector<Blit> frame;

  int picture(const std::string &path, const KFont *font) {
    auto it = byPath.find(path);
    if (it != byPath.end()) return it->second;
    pictures.push_back(Picture());
    pictures.back().path = path;
    pictures.back().font = font;
    byPath[path] = (int)pictures.size() - 1;
    return (int)pictures.size() - 1;
  }
  const Picture &at(int i) const { return pictures[(size_t)i]; }
  // The picture's alpha, decoded from its file when first asked.
  const Picture &pixels(int i) {
    Picture &p = pictures[(size_t)i];
    if (!p.decoded) {
      unsigned char *image = KPictureDecoder::decodeFile(p.path.c_str());
      take(i, image);
      delete[] image;
    }
    return p;
  }
  // The alpha of a decoded image of the picture (18-byte header, BGRA rows bottom first).
  void take(int i, const unsigned char *image) {
    Picture &p = pictures[(size_t)i];
    p.decoded = true;
    if (!image) return;
    p.w = image[12] | image[13] << 8;
    p.h = image[14] | image[15] << 8;
    p.alpha.resize((size_t)p.w * p.h);
    for (int y = 0; y < p.h; ++y)
      for (int x = 0; x < p.w; ++x) p.alpha[(size_t)y * p.w + x] = image[18 + ((size_t)(p.h - 1 - y) * p.w + x) * 4 + 3];
  }

private:
  std::vector<Picture> pictures;
  std::unordered_map<std::string, int> byPath;
};

// A picture of the game that notes each of its blits in the Drawing, then draws as any other.
class SeenPicture : public KGraphicGL {
public:
  static KGraphic *make() { return new SeenPicture(nullptr); }
  explicit SeenPicture(const KFont *font) : font(font) {}

  bool loadPicture(const char *path, bool sizedFormat, bool useAlpha) override {
    id = Drawing::get().picture(path ? path : "", font);
    return KGraphicGL::loadPicture(path, sizedFormat, useAlpha);
  }
  // Pictures decoded ahead (a retried day's, the next level's) arrive here instead.
  bool loadPictureReady(const char *path, KTextureReady *ready, bool sizedFormat, bool useAlpha) override {
    id = Drawing::get().picture(path ? path : "", font);
    return KGraphicGL::loadPictureReady(path, ready, sizedFormat, useAlpha);
  }
  void blitRect(float x1, float y1, float x2, float y2, short x, short y, bool flipH, bool flipV) override {
    note(x1, y1, x2, y2, x, y, 0, 1, 1, 1, 1, 1, 0, 0);
    if (!Drawing::get().unpainted) KGraphicGL::blitRect(x1, y1, x2, y2, x, y, flipH, flipV);
  }
  void blitAlphaRect(float x1, float y1, float x2, float y2, short x, short y, bool flipH, bool flipV) override {
    const KGLBlitter &b = blitter();
    if (b.blitColorSet)
      note(x1, y1, x2, y2, x, y, 0, 1, b.blitRed, b.blitGreen, b.blitBlue, b.blitAlpha, 0, 0);
    else
      note(x1, y1, x2, y2, x, y, 0, 1, 1, 1, 1, 1, 0, 0);
    if (!Drawing::get().unpainted) KGraphicGL::blitAlphaRect(x1, y1, x2, y2, x, y, flipH, flipV);
  }
  void blitAlphaRectFx(float x1, float y1, float x2, float y2, short x, short y, float angle, float zoom, float alpha,
                       bool flipH, bool flipV, float centreX, float centreY) override {
    if (zoom != 0 && alpha > 0) {
      const KGLBlitter &b = blitter();
      if (b.blitColorSet)
        note(x1, y1, x2, y2, x, y, angle, zoom, b.blitRed, b.blitGreen, b.blitBlue, alpha * b.blitAlpha, centreX, centreY);
      else
        note(x1, y1, x2, y2, x, y, angle, zoom, 1, 1, 1, alpha, centreX, centreY);
    }
    if (!Drawing::get().unpainted)
      KGraphicGL::blitAlphaRectFx(x1, y1, x2, y2, x, y, angle, zoom, alpha, flipH, flipV, centreX, centreY);
  }
  void drawRect(float x1, float y1, float x2, float y2, float red, float green, float blue, float alpha) override {
    Drawing &d = Drawing::get();
    if (d.open) {
      Blit b;
      b.sw = x2 - x1, b.sh = y2 - y1;
      b.cx = x1, b.cy = y1;
      b.r = red, b.g = green, b.b = blue, b.a = alpha;
      b.place();
      d.frame.push_back(b);
    }
    if (!d.unpainted) KGraphicGL::drawRect(x1, y1, x2, y2, red, green, blue, alpha);
  }

private:
  void note(float x1, float y1, float x2, float y2, short x, short y, float angle, float zoom, float r, float g,
            float b, float a, float centreX, float centreY) {
    Drawing &d = Drawing::get();
    if (!d.open || id < 0) return;
    Blit k;
    k.picture = id;
    k.sx = x1, k.sy = y1, k.sw = x2 - x1, k.sh = y2 - y1;
    const bool turned = angle != 0 || zoom != 1;
    k.px = turned ? k.sw * 0.5f + centreX : k.sw * 0.5f;
    k.py = turned ? k.sh * 0.5f + centreY : k.sh * 0.5f;
    k.cx = (float)x + k.px, k.cy = (float)y + k.py;
    k.angle = turned ? angle : 0;
    k.zoom = turned ? zoom : 1;
    k.r = r, k.g = g, k.b = b, k.a = a;
    k.additive = blitter().blendDest == 1;  // GL_ONE
    k.place();
    d.frame.push_back(k);
  }

  const KFont *font;
  int id = -1;
};

// Which sprite, animation and frame a part of a picture file is. Parts with the same pixels look
// the same: they take the look of the first sprite that cuts them.
class Looks {
public:
  struct Look {
    std::string sprite, frameset;
    int frame = 0;
  };
  // One for the run: the pictures' looks do not change from level to level.
  static Looks &get() {
    static Looks l;
    return l;
  }
  // The look of a blit's source rectangle; null for a picture no sprite cuts.
  const Look *of(const Blit &b) {
    build();
    const uint64_t key = (uint64_t)(uint16_t)b.picture << 48 | (uint64_t)((int)b.sx & 0xFFF) << 36 |
                         (uint64_t)((int)b.sy & 0xFFF) << 24 | (uint64_t)((int)b.sw & 0xFFF) << 12 |
                         (uint64_t)((int)b.sh & 0xFFF);
    auto hit = cache.find(key);
    if (hit != cache.end()) return hit->second;
    const Look *best = nullptr;
    long bestArea = 0;
    auto frames = byFile.find(Drawing::get().at(b.picture).path);
    if (frames != byFile.end()) {
      compare(b.picture, frames->second);
      for (const Cut &c : frames->second)
        if (b.sx >= c.x && b.sy >= c.y && b.sx + b.sw <= c.x + c.w + 0.5f && b.sy + b.sh <= c.y + c.h + 0.5f &&
            (!best || (long)c.w * c.h < bestArea))
          best = c.same ? c.same : &c.look, bestArea = (long)c.w * c.h;
    }
    cache[key] = best;
    return best;
  }

private:
  struct Cut {
    int x, y, w, h;
    Look look;
    const Look *same = nullptr;  // the earlier cut with the same pixels
  };
  void build() {
    if (builtFor == spriteFactory || !spriteFactory) return;
    builtFor = spriteFactory;
    byFile.clear();
    compared.clear();
    cache.clear();
    for (unsigned i = 0; i < spriteFactory->getCount(); ++i) {
      ZSprite *s = spriteFactory->getPrototype(i);
      for (unsigned j = 0; s && j < s->getPocetFramesetu(); ++j) {
        Frameset *fs = s->getFrameset(j);
        CSurface *surface = CSurfaceManager::instance()->getSurface(fs->getSurfaceIndex());
        if (!surface) continue;
        std::vector<Cut> &cuts = byFile[surface->vratNazevSouboru()];
        for (unsigned k = 0; k < fs->getPocetFramu(); ++k) {
          Frame *f = fs->getFrame(k);
          Cut c{(int)f->getX(), (int)f->getY(), (int)f->getSirka(), (int)f->getVyska(), {s->getID(), fs->getID(), (int)k}};
          bool known = false;
          for (const Cut &o : cuts) known = known || (o.x == c.x && o.y == c.y && o.w == c.w && o.h == c.h);
          if (!known) cuts.push_back(c);
        }
      }
    }
  }
  // The picture's cuts compared by their pixels, once (its alpha kept for the Drawing).
  void compare(int picture, std::vector<Cut> &cuts) {
    if (!compared.insert(picture).second) return;
    unsigned char *image = KPictureDecoder::decodeFile(Drawing::get().at(picture).path.c_str());
    Drawing::get().take(picture, image);
    if (!image) return;
    const int w = image[12] | image[13] << 8, h = image[14] | image[15] << 8;
    std::vector<uint64_t> sums(cuts.size());
    for (size_t i = 0; i < cuts.size(); ++i) {
      uint64_t sum = 1469598103934665603ull;
      const Cut &c = cuts[i];
      for (int y = std::max(0, c.y); y < std::min(h, c.y + c.h); ++y)
        for (int x = std::max(0, c.x); x < std::min(w, c.x + c.w); ++x) {
          uint32_t v;
          std::memcpy(&v, image + 18 + ((size_t)(h - 1 - y) * w + x) * 4, 4);
          sum = (sum ^ v) * 1099511628211ull;
        }
      sums[i] = sum;
      for (size_t j = 0; j < i; ++j)
        if (sums[j] == sum && cuts[j].w == c.w && cuts[j].h == c.h) {
          cuts[i].same = cuts[j].same ? cuts[j].same : &cuts[j].look;
          break;
        }
    }
    delete[] image;
  }
  const ZSpriteFactory *builtFor = nullptr;
  std::unordered_map<std::string, std::vector<Cut>> byFile;
  std::unordered_set<int> compared;
  std::unordered_map<uint64_t, const Look *> cache;
};

class Eyes {
public:
  // Opened on a running game: every picture from now on notes its blits (the loaded ones are
  // loaded again as such, the texts' fonts and the screen's fills too).
  explicit Eyes(CEngine *engine) {
    CSurface::setPictureFactory(SeenPicture::make);
    CSurfaceManager *m = CSurfaceManager::instance();
    for (unsigned h = 0; h < m->getCount(); ++h) {
      CSurface *s = m->getSurface(h);
      if (s && s->isLoaded() && !dynamic_cast<SeenPicture *>(s->vratPointer())) {
        s->unload();
        s->load();
      }
    }
    struct FontFile {
      const char *name, *file;
      const KFont *table;
    };
    const FontFile files[] = {{"big", "data\\gfx\\font1big.png", bigFontTable},
                              {"small", "data\\gfx\\font1small.png", smallFontTable},
                              {"small2", "data\\gfx\\smallfont.tga", small2FontTable},
                              {"bed", "data\\gfx\\bedfont.png", bedFontTable},
                              {"bonus", "data\\gfx\\bonusFont.png", bonusFontTable},
                              {"gamefont", "data\\gfx\\gamefont.tga", gameFontTable},
                              {"bonustext", "data\\gfx\\bonusfont.png", bonusFontTable}};
    auto watch = [&](KText *text, const FontFile &f) {
      if (!text) return;
      SeenPicture *p = new SeenPicture(f.table);
      p->loadPicture(KMiscTools::makeFilePath(f.file), true, true);
      p->setTextureQuality(false);
      fonts.push_back({text, text->getKGraphicPtr(), p});
      text->setKGraphic(p);
    };
    if (CFontSeznam *list = engine->getFontSeznam())
      for (CFontZaznam *e : list->entries)
        for (const FontFile &f : files)
          if (e->getNazev() == f.name) watch(e->getFont(), f);
    watch(engine->built().getBigFont(), files[0]);
    watch(engine->getSmallFont(), files[1]);
    watch(engine->getBonusFont(), files[6]);
    screenWas = backbuffer;
    backbuffer = new SeenPicture(nullptr);
    Drawing::get().open = true;
    Drawing::get().frame.clear();
  }
  ~Eyes() {
    Drawing::get().open = false;
    Drawing::get().frame.clear();
    CSurface::setPictureFactory(nullptr);
    for (auto f = fonts.rbegin(); f != fonts.rend(); ++f) {
      f->text->setKGraphic(f->was);
      delete f->seen;
    }
    delete backbuffer;
    backbuffer = screenWas;
  }
  Eyes(const Eyes &) = delete;
  Eyes &operator=(const Eyes &) = delete;

  // The frame just drawn, as seen.
  Screen look(long t) {
    Drawing &d = Drawing::get();
    auto blits = std::make_shared<std::vector<Blit>>();
    blits->swap(d.frame);
    Screen s;
    s.t = t;
    std::vector<int> itemOf(blits->size(), -1);
    for (size_t i = 0; i < blits->size(); ++i) {
      const Blit &b = (*blits)[i];
      if (b.additive || b.a < 0.25f || b.x1 <= 0 || b.y1 <= 0 || b.x0 >= 800 || b.y0 >= 600) continue;
      if (b.picture >= 0 && d.at(b.picture).font) {
        glyph(b, (int)i);
        continue;
      }
      Seen v;
      v.order = (int)i;
      if (b.picture < 0) {
        v.sprite = "FILL";
      } else if (const Looks::Look *l = Looks::get().of(b)) {
        v.sprite = l->sprite, v.look = l->frameset, v.frame = l->frame;
      } else {
        const std::string &path = d.at(b.picture).path;
        v.sprite = path.substr(path.find_last_of("/\\") + 1);
      }
      if (v.sprite == "KURZOR" || v.sprite == "KURZOR2") continue;  // the own pointer
      v.x = (float)b.x0, v.y = (float)b.y0, v.w = (float)(b.x1 - b.x0), v.h = (float)(b.y1 - b.y0);
      v.r = b.r, v.g = b.g, v.b = b.b, v.alpha = b.a;
      itemOf[i] = (int)s.items.size();
      s.items.push_back(v);
    }
    captions(s);
    follow(s);
    s.pixels = [blits, itemOf]() { return shows(*blits, itemOf); };
    return s;
  }

private:
  struct Font {
    KText *text;
    KGraphic *was;
    SeenPicture *seen;
  };
  struct Text {
    std::string text;
    int order, x0, y0, x1, y1;
    int picture, lastX;
  };

  // Glyphs drawn one after another on a line make one text.
  void glyph(const Blit &b, int order) {
    const KFont *table = Drawing::get().at(b.picture).font;
    char c = 0;
    for (const KFont *f = table; f->c != 0; ++f)
      if (f->x1 == (short)b.sx && f->y1 == (short)b.sy) {
        c = (char)f->c;
        break;
      }
    if (!c) return;
    if (!texts.empty()) {
      Text &t = texts.back();
      if (t.picture == b.picture && t.order == order - 1 && std::abs(t.y0 - b.y0) <= 2 && b.x0 > t.lastX &&
          b.x0 - t.x1 < (b.y1 - b.y0)) {
        t.text += c;
        t.order = order;
        t.lastX = b.x0;
        t.x1 = std::max(t.x1, b.x1), t.y1 = std::max(t.y1, b.y1);
        return;
      }
    }
    texts.push_back({std::string(1, c), order, b.x0, b.y0, b.x1, b.y1, b.picture, b.x0});
  }
  // A text belongs to the picture it is written on: the last drawn under its middle.
  void captions(Screen &s) {
    for (const Text &t : texts) {
      const float mx = (t.x0 + t.x1) * 0.5f, my = (t.y0 + t.y1) * 0.5f;
      Seen *on = nullptr;
      for (Seen &v : s.items)
        if (v.order < t.order && mx >= v.x && mx <= v.x + v.w && my >= v.y && my <= v.y + v.h) on = &v;
      if (on) on->caption += on->caption.empty() ? t.text : " " + t.text;
    }
    texts.clear();
  }
  // The same look near where it was a frame ago is the same thing.
  void follow(Screen &s) {
    std::unordered_map<std::string, std::vector<size_t>> before;
    for (size_t i = 0; i < last.size(); ++i) before[last[i].sprite].push_back(i);
    struct Pair {
      float d;
      size_t now, was;
    };
    std::vector<Pair> pairs;
    for (size_t i = 0; i < s.items.size(); ++i) {
      const Seen &v = s.items[i];
      auto it = before.find(v.sprite);
      if (it == before.end()) continue;
      for (size_t j : it->second) {
        const float d = std::hypot(v.cx() - last[j].x, v.cy() - last[j].y);
        if (d <= 40) pairs.push_back({d, i, j});
      }
    }
    std::sort(pairs.begin(), pairs.end(), [](const Pair &a, const Pair &b) { return a.d < b.d; });
    std::vector<char> done(s.items.size(), 0), taken(last.size(), 0);
    for (const Pair &p : pairs)
      if (!done[p.now] && !taken[p.was]) {
        done[p.now] = taken[p.was] = 1;
        s.items[p.now].id = last[p.was].id;
      }
    last.clear();
    for (size_t i = 0; i < s.items.size(); ++i) {
      if (!done[i]) s.items[i].id = next++;
      last.push_back({s.items[i].sprite, s.items[i].cx(), s.items[i].cy(), s.items[i].id});
    }
  }

  // Which item shows at each pixel: each blit in drawing order takes the pixels where it is
  // mostly opaque. The floor (a first whole-screen picture) shows where nothing else does.
  static std::vector<uint16_t> shows(const std::vector<Blit> &blits, const std::vector<int> &itemOf) {
    std::vector<uint16_t> map((size_t)800 * 600, 0);
    uint16_t *at = map.data();
    Drawing &d = Drawing::get();
    for (size_t i = 0; i < blits.size(); ++i) {
      const Blit &b = blits[i];
      if (itemOf[i] < 0) continue;
      if (i == 0 && b.x0 <= 0 && b.y0 <= 0 && b.x1 >= 800 && b.y1 >= 600) continue;
      const uint16_t mark = (uint16_t)(itemOf[i] + 1);
      const int x0 = std::max(0, b.x0), y0 = std::max(0, b.y0), x1 = std::min(800, b.x1), y1 = std::min(600, b.y1);
      if (x0 >= x1 || y0 >= y1) continue;
      if (b.picture < 0) {
        if (b.a < 0.6f) continue;
        for (int y = y0; y < y1; ++y) std::fill(at + y * 800 + x0, at + y * 800 + x1, mark);
        continue;
      }
      const Drawing::Picture &p = d.pixels(b.picture);
      if (p.alpha.empty() || b.a <= 0.5f) continue;
      const int need = (int)(127.0f / b.a);
      const uint8_t *alpha = p.alpha.data();
      if (b.angle == 0 && b.zoom == 1) {
        // Upright and unzoomed: source and screen rows run side by side.
        const int du = (int)b.sx - (int)std::floor(b.cx - b.px), dv = (int)b.sy - (int)std::floor(b.cy - b.py);
        const int right = std::min(x1, (int)(b.cx - b.px + b.sw)), bottom = std::min(y1, (int)(b.cy - b.py + b.sh));
        for (int y = y0; y < bottom; ++y) {
          const int v = y + dv;
          if (v < 0 || v >= p.h) continue;
          const uint8_t *row = alpha + (size_t)v * p.w;
          uint16_t *out = at + y * 800;
          for (int x = x0; x < right; ++x) {
            const int u = x + du;
            if (u >= 0 && u < p.w && row[u] > need) out[x] = mark;
          }
        }
        continue;
      }
      for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
          int u, v;
          if (!b.source((float)x + 0.5f, (float)y + 0.5f, u, v) || u < 0 || v < 0 || u >= p.w || v >= p.h) continue;
          if (alpha[(size_t)v * p.w + u] > need) at[y * 800 + x] = mark;
        }
    }
    return map;
  }

  std::vector<Font> fonts;
  KGraphic *screenWas = nullptr;
  struct Place {
    std::string sprite;
    float x, y;
    long id;
  };
  std::vector<Text> texts;
  std::vector<Place> last;  // the last frame's things, by look and middle
  long next = 1;
};
