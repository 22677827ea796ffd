#include "engine/KText.h"

#include <cstdio>
#include <cstring>

#include "engine/KBatch.h"
#include "engine/KGraphic.h"
#include "engine/KPTK.h"
#include "engine/KUtf8.h"

KText::KText()
    : batch_(nullptr), picture_(nullptr), table_(nullptr), spaceAdjustment_(0.0f), ySpacing_(0.0f),
      alpha_(1.0f), red_(1.0f), green_(1.0f), blue_(1.0f) {}

KText::KText(char const *pictureFile, KFont *table) : KText() {
  picture_ = KPTK::createKGraphic();
  if (picture_) {
    // A picture that fails to load is told by the picture layer; the text then draws nothing
    // rather than a bar where each letter would be.
    if (pictureFile)
      unloaded_ = !picture_->loadPicture(pictureFile, true, true);
    table_ = table;
    picture_->setTextureQuality(false);
  }
  setColor(1.0f, 1.0f, 1.0f, 1.0f);
  batch_ = KPTK::createKBatch();
  batch_->allocateBuffer(256);
  ySpacing_ = 0.0f;
  spaceAdjustment_ = 0.0f;
}

KText::~KText() {
  delete picture_;
  delete batch_;
}

bool KText::loadFontBitmap(char const *file) {
  if (picture_ || !file)
    return false;
  picture_ = KPTK::createKGraphic();
  if (!picture_)
    return false;
  bool loaded = picture_->loadPicture(file, true, true);
  unloaded_ = !loaded;
  picture_->setTextureQuality(false);
  return loaded;
}

void KText::setFontTable(KFont *table) { table_ = table; }
void KText::setKGraphic(KGraphic *picture) {
  picture_ = picture;
  unloaded_ = false;
}
KGraphic *KText::getKGraphicPtr() { return picture_; }
void KText::setSpaceAdjustment(float adjustment) { spaceAdjustment_ = adjustment; }
void KText::setYSpacing(float spacing) { ySpacing_ = spacing; }

void KText::setColor(float red, float green, float blue, float alpha) {
  red_ = red;
  green_ = green;
  blue_ = blue;
  alpha_ = alpha;
}

const KFont *KText::findGlyph(char c) const {
  for (const KFont *f = table_; f->c != 0; ++f) {
    if (f->c == static_cast<signed char>(c))
      return f;
  }
  return nullptr;
}

long KText::getCharIndex(char c) {
  if (!picture_ || !table_)
    return -1;
  const KFont *f = findGlyph(c);
  return f ? static_cast<long>(f - table_) : -1;
}

const KFont *KText::glyphOf(uint32_t c) const {
  if (KUtf8::isInvisible(c))
    return nullptr;
  if (KUtf8::isSpace(c))
    return findGlyph(' ');
  if (c < 0x80)
    return findGlyph(static_cast<char>(c));
  const KFont *f = c < 0x100 ? findGlyph(static_cast<char>(c)) : nullptr;
  // A letter the font lacks shows as a question mark: a name keeps its length and shows that
  // something of it is missing.
  return f ? f : findGlyph('?');
}

float KText::charWidth(uint32_t c, float spacing) const {
  const KFont *f = glyphOf(c);
  return f ? static_cast<float>(f->advance) + spacing : 0.0f;
}

float KText::rangeWidth(char const *text, size_t length, float spacing) const {
  float w = 0.0f;
  for (size_t i = 0; i < length;)
    w += charWidth(KUtf8::next(text, length, i), spacing);
  return w;
}

void KText::applyColor() { picture_->setBlitColor(red_, green_, blue_, alpha_); }

void KText::drawRangeFromLeft(char const *text, size_t length, long x, long y, float spacing) {
  if (!drawable() || length == 0)
    return;
  applyColor();
  // The pen stays a float so fractional spacing adds up; each glyph lands on its truncation.
  float pen = static_cast<float>(x);
  for (size_t i = 0; i < length;) {
    const uint32_t c = KUtf8::next(text, length, i);
    const KFont *g = glyphOf(c);
    if (!g)
      continue;
    picture_->blitAlphaRect(g->x1, g->y1, g->x2 + 1, g->y2 + 1, static_cast<short>(static_cast<int>(pen)),
                            static_cast<short>(y), false, false);
    if (c == ' ')
      pen += spaceAdjustment_;
    pen += static_cast<float>(g->advance) + spacing;
  }
}

void KText::drawRangeFromRight(char const *text, size_t length, long x, long y, float spacing) {
  if (!drawable() || length == 0)
    return;
  applyColor();
  float pen = static_cast<float>(x);
  for (size_t i = length; i > 0;) {
    i = KUtf8::previous(text, i);
    size_t at = i;
    const KFont *g = glyphOf(KUtf8::next(text, length, at));
    if (!g)
      continue;
    pen -= static_cast<float>(g->advance) + spacing;
    picture_->blitAlphaRect(g->x1, g->y1, g->x2 + 1, g->y2 + 1, static_cast<short>(static_cast<int>(pen)),
                            static_cast<short>(y), false, false);
  }
}

void KText::drawRangeCentered(char const *text, size_t length, long x1, long x2, long y, float spacing) {
  if (!picture_ || !table_ || length == 0)
    return;
  float w = rangeWidth(text, length, spacing);
  if (w <= 0.0f)
    return;
  long x = static_cast<long>((static_cast<float>(x2 - x1) - w) * 0.5f + static_cast<float>(x1));
  drawRangeFromLeft(text, length, x, y, spacing);
}

void KText::drawStringFromLeft(char const *text, long x, long y, float spacing) {
  if (text)
    drawRangeFromLeft(text, std::strlen(text), x, y, spacing);
}

void KText::drawStringFromRight(char const *text, long x, long y, float spacing) {
  if (text)
    drawRangeFromRight(text, std::strlen(text), x, y, spacing);
}

void KText::drawStringCentered(char const *text, long x1, long x2, long y, float spacing) {
  if (text)
    drawRangeCentered(text, std::strlen(text), x1, x2, y, spacing);
}

void KText::drawNCharFromLeft(char const *text, long count, long x, long y, float spacing) {
  if (!drawable() || !text || count <= 0)
    return;
  // Never read past the text, whatever count the caller gives.
  size_t n = strnlen(text, static_cast<size_t>(count));
  if (n == 0)
    return;
  if (!batch_)
    batch_ = KPTK::createKBatch();
  applyColor();
  batch_->beginBatch(picture_);
  long pen = x;
  for (size_t i = 0; i < n;) {
    const KFont *g = glyphOf(KUtf8::next(text, n, i));
    if (!g)
      continue;
    batch_->blitAlphaRect(g->x1, g->y1, g->x2, g->y2, static_cast<float>(pen), static_cast<float>(y));
    pen = static_cast<int>(static_cast<float>(pen) + (static_cast<float>(g->advance) + spacing));
  }
  batch_->endBatch();
}

void KText::drawStringFromLeft(long value, long x, long y, float spacing) {
  char buf[256];
  std::snprintf(buf, sizeof buf, "%ld", value);
  drawStringFromLeft(buf, x, y, spacing);
}

void KText::drawStringFromRight(long value, long x, long y, float spacing) {
  char buf[256];
  std::snprintf(buf, sizeof buf, "%ld", value);
  drawStringFromRight(buf, x, y, spacing);
}

void KText::drawStringCentered(long value, long x1, long x2, long y, float spacing) {
  char buf[256];
  std::snprintf(buf, sizeof buf, "%ld", value);
  drawStringCentered(buf, x1, x2, y, spacing);
}

float KText::getStringWidth(char const *text, float spacing) {
  if (!picture_ || !text || !table_ || !*text)
    return -1.0f;
  return rangeWidth(text, std::strlen(text), spacing);
}

float KText::getNCharWidth(char const *text, long count, float spacing) {
  if (!picture_ || !text || !table_ || !*text || count <= 0)
    return -1.0f;
  return rangeWidth(text, strnlen(text, static_cast<size_t>(count)), spacing);
}

bool KText::breakLine(char *text, int length, long maxWidth, sStringInfo *info, float spacing) {
  const int start = info->start;
  const int rest = start < length ? length - start : 0;
  if (rest <= 1) {
    info->end = start + rest;
    return true;
  }
  // Without picture or table every width reads -1, so only newlines break the text.
  const bool measured = picture_ && table_;
  size_t at = static_cast<size_t>(start);
  const uint32_t first = KUtf8::next(text, static_cast<size_t>(length), at);
  float width = measured ? charWidth(first, spacing) : -1.0f;
  size_t last = at;
  for (;;) {
    bool full;
    last = at;
    if (text[at] == '\n') {
      text[at++] = ' ';
      full = true;
    } else {
      const uint32_t c = KUtf8::next(text, static_cast<size_t>(length), at);
      if (measured)
        width += charWidth(c, spacing);
      full = !(static_cast<int>(width) < maxWidth);
    }
    if (at >= static_cast<size_t>(length)) {
      info->end = length;
      return true;
    }
    if (full)
      break;
  }
  // Break at the last space inside the line; a word wider than the box is cut where it overflowed.
  const int e = static_cast<int>(last);
  info->end = e;
  for (int p = e; p > start; --p) {
    if (text[p] == ' ') {
      info->end = p;
      break;
    }
  }
  return false;
}

bool KText::findStringMatchWidth(char *text, long maxWidth, sStringInfo *info, float spacing) {
  if (!text || !info)
    return true;
  return breakLine(text, static_cast<int>(std::strlen(text)), maxWidth, info, spacing);
}

bool KText::movePosToNextChar(char *text, sStringInfo *info) {
  if (!text || !info)
    return true;
  if (info->start >= static_cast<int>(std::strlen(text)))
    return true;
  while (text[info->start] == ' ')
    ++info->start;
  return false;
}

long KText::getSpaceCount(char *text) {
  long n = 0;
  for (; *text; ++text)
    n += *text == ' ';
  return n;
}

long KText::layoutLines(char const *text, long x1, long x2, long y, long style, float spacing) {
  if (!text || !*text || !table_)
    return y;
  const float lineHeight = static_cast<float>(table_[0].height);
  const bool justified = style == 3;
  if (!justified)
    spaceAdjustment_ = 0.0f;
  // The breaker writes into the text (newlines become spaces), so it works on a copy.
  layout_.assign(text);
  char *buf = &layout_[0];
  const int length = static_cast<int>(layout_.size());
  const long maxWidth = x2 - x1;
  sStringInfo info = {0, 0};
  for (;;) {
    const bool last = breakLine(buf, length, maxWidth, &info, spacing);
    if (info.end > info.start) {
      const char *line = buf + info.start;
      const size_t n = static_cast<size_t>(info.end - info.start);
      if (justified) {
        long spaces = 0;
        for (size_t i = 0; i < n; ++i)
          spaces += line[i] == ' ';
        const float w = picture_ ? rangeWidth(line, n, spacing) : -1.0f;
        spaceAdjustment_ = (spaces == 0 || last) ? 0.0f : (static_cast<float>(x2 - x1) - w) / static_cast<float>(spaces);
        drawRangeFromLeft(line, n, x1, y, spacing);
      } else if (style == 0) {
        drawRangeFromLeft(line, n, x1, y, spacing);
      } else if (style == 1) {
        drawRangeFromRight(line, n, x2, y, spacing);
      } else if (style == 2) {
        drawRangeCentered(line, n, x1, x2, y, spacing);
      }
      y = static_cast<int>(static_cast<float>(y) + (lineHeight + ySpacing_));
    }
    info.start = info.end;
    if (info.start >= length)
      break;
    while (buf[info.start] == ' ')
      ++info.start;
    if (last)
      break;
  }
  return y;
}

long KText::drawMultiline(char const *text, long x1, long x2, long y, long style, float spacing) {
  return layoutLines(text, x1, x2, y, style, spacing);
}

long KText::drawJustifiedMultilineText(char const *text, long x1, long x2, long y, float spacing) {
  return layoutLines(text, x1, x2, y, 3, spacing);
}
