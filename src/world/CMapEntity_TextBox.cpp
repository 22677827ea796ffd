#include "world/CMapEntity_TextBox.h"

#include <algorithm>

#include "engine/KText.h"
#include "media/CFontSeznam.h"
#include "world/CWorldEngine.h"

namespace {
// The small label font sets its lines closer.
long activeLineHeight(CFontSeznam *fonts) { return fonts->getAktivniFontNazev() == "small2" ? 16 : 22; }
} // namespace

CMapEntity_TextBox::CMapEntity_TextBox(const CMapEntity_TextBox &o)
    : CCloneable(o), boxWidth(o.boxWidth), boxHeight(o.boxHeight), text(o.text), fontName(o.fontName),
      spacing(o.spacing), fitWords(o.fitWords) {
  setAlpha(1.0f, true);
  setRGB(0.0f, 0.39f, 0.51f, false);
}

long CMapEntity_TextBox::screenCoordinate(float v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0f) return 2147483647L;
  if (v <= -2147483648.0f) return -2147483647L - 1;
  return (long)v;
}

void CMapEntity_TextBox::renderAdditional(KGraphic *) {
  if (CWorldEngine *host = CWorldEngine::running()) drawText(host->getFontSeznam(), host->getSmallFont());
}

// The line's width is summed glyph by glyph as it grows, which gives what measuring the whole
// line each time would (-1 for an empty line or a font without glyphs; a NUL ends the measured
// part) without making a long unbroken text cost quadratic time every frame.
bool CMapEntity_TextBox::nextLine(KText *font, size_t &pos) {
  lineBuffer.clear();
  float width = 0.0f;
  size_t counted = 0;
  bool cut = false, unmeasurable = false;
  size_t n = text.size() < kMaxChars ? text.size() : kMaxChars;
  size_t lastBlank = std::string::npos, lastBlankAt = 0;
  for (size_t i = pos; i < n; ++i) {
    char c = text[i];
    if (c != '|') {
      lineBuffer.push_back(c);
      if (c == '\0') {
        cut = true;
      } else if (!cut) {
        float w = font->getNCharWidth(&c, 1, 0.0f);
        if (w < 0.0f) unmeasurable = true;
        width += w;
        ++counted;
      }
    }
    float measured = (unmeasurable || counted == 0) ? -1.0f : width;
    if (fitWords && c != ' ' && measured > (float)boxWidth && lastBlank != std::string::npos) {
      lineBuffer.resize(lastBlank + 1);
      pos = lastBlankAt + 1;
      return true;
    }
    if (c == ' ') {
      lastBlank = lineBuffer.size() - 1;
      lastBlankAt = i;
    }
    if ((measured > (float)boxWidth && c == ' ') || i + 1 == n || c == '|') {
      pos = i + 1;
      return true;
    }
  }
  pos = n;
  return false;
}

void CMapEntity_TextBox::drawText(CFontSeznam *fonts, KText *smallFont) {
  if (!fonts) return;
  fonts->setAktivniFont(fontName);
  KText *font = fonts->getAktivniFont();
  if (!font) return;
  const long lineHeight = activeLineHeight(fonts);
  // An alpha never set means opaque, as for the sprite.
  const float a = looks().getAlpha() == -1.0f ? 1.0f : looks().getAlpha();
  const long x1 = screenCoordinate(x);
  const long x2 = screenCoordinate(x + (float)boxWidth);
  size_t pos = 0;
  long line = 0;
  while (nextLine(font, pos)) {
    font->setColor(looks().getRed(), looks().getGreen(), looks().getBlue(), a);
    font->drawStringCentered(lineBuffer.c_str(), x1, x2, screenCoordinate(y + (float)(lineHeight * line)),
                             (float)spacing);
    ++line;
  }
  font->setColor(0.0f, 0.0f, 0.0f, 1.0f);
  if (smallFont) smallFont->setColor(1.0f, 1.0f, 1.0f, 1.0f);
}

bool CMapEntity_TextBox::wordsArea(CFontSeznam *fonts, float &x0, float &y0, float &x1, float &y1) {
  if (!fonts || text.empty()) return false;
  fonts->setAktivniFont(fontName);
  KText *font = fonts->getAktivniFont();
  if (!font) return false;
  const float lineHeight = (float)activeLineHeight(fonts);
  size_t pos = 0;
  float lines = 0.0f;
  x0 = x + (float)boxWidth / 2;
  x1 = x0;
  while (nextLine(font, pos)) {
    const float w = std::max(0.0f, font->getStringWidth(lineBuffer.c_str(), (float)spacing));
    x0 = std::min(x0, x + ((float)boxWidth - w) / 2);
    x1 = std::max(x1, x + ((float)boxWidth + w) / 2);
    lines += 1.0f;
  }
  y0 = y;
  y1 = y + lines * lineHeight;
  font->setColor(0.0f, 0.0f, 0.0f, 1.0f);
  return lines > 0.0f && x1 > x0;
}

void CMapEntity_BonusText::renderAdditional(KGraphic *) {
  if (CWorldEngine *host = CWorldEngine::running()) drawCaption(host->getFontSeznam());
}

namespace {
const char *captionFont(bool warning) { return warning ? "small" : "bonus"; }
float captionSpacing(bool warning) { return warning ? -1.0f : -4.0f; }
long captionLine(bool warning) { return warning ? 28 : 22; }
// Between the lead and the words after it.
constexpr float kLeadGap = 6.0f;
} // namespace

float CMapEntity_BonusText::leadWidth(KText *font) const {
  if (lead.empty()) return 0.0f;
  return font ? font->getStringWidth(lead.c_str(), captionSpacing(warning)) + kLeadGap
              : (float)(lead.size() * (warning ? 11 : 13)) + kLeadGap;
}

void CMapEntity_BonusText::measure(CFontSeznam *fonts) {
  KText *font = nullptr;
  if (fonts) {
    fonts->setAktivniFont(captionFont(warning));
    font = fonts->getAktivniFont();
  }
  width = 0.0f;
  height = 0.0f;
  size_t pos = 0;
  const float lead = leadWidth(font);
  if (!font) {
    width = lead + (float)(text.size() * (warning ? 11 : 13));
    height = (float)captionLine(warning);
    return;
  }
  while (nextLine(font, pos)) {
    width = std::max(width, lead + font->getStringWidth(lineBuffer.c_str(), captionSpacing(warning)));
    height += (float)captionLine(warning);
  }
  font->setColor(1.0f, 1.0f, 1.0f, 1.0f);
}

void CMapEntity_BonusText::drawCaption(CFontSeznam *fonts) {
  if (!fonts) return;
  fonts->setAktivniFont(captionFont(warning));
  KText *font = fonts->getAktivniFont();
  if (!font) return;
  const float a = looks().getAlpha() == -1.0f ? 1.0f : looks().getAlpha();
  const float spacing = captionSpacing(warning);
  const long lineHeight = captionLine(warning);
  const long leadW = (long)leadWidth(font);
  // Whole on the screen: a caption earned by the screen's edge is drawn inside it, a margin off.
  const long firstTop = std::max(kMargin, screenCoordinate(y));
  // A dark shadow first, so that the caption reads on the pale wall too.
  auto say = [&](const char *words, long left, long top, const float *rgb) {
    font->setColor(0.0f, 0.0f, 0.0f, a * 0.7f);
    font->drawStringFromLeft(words, left + 1, top + 1, spacing);
    font->setColor(rgb[0], rgb[1], rgb[2], a);
    font->drawStringFromLeft(words, left, top, spacing);
  };
  const float rgb[3] = {textRed, textGreen, textBlue};
  size_t pos = 0;
  long line = 0;
  while (nextLine(font, pos)) {
    const long lineWidth = leadW + (long)font->getStringWidth(lineBuffer.c_str(), spacing);
    const long left = std::max(kMargin, std::min(screenCoordinate(x), kScreenWidth - lineWidth - 1 - kMargin));
    const long top = firstTop + lineHeight * line;
    if (line == 0 && leadW > 0) say(lead.c_str(), left, top, leadRGB);
    say(lineBuffer.c_str(), left + (line == 0 ? leadW : 0), top, rgb);
    ++line;
  }
  font->setColor(1.0f, 1.0f, 1.0f, 1.0f);
}
