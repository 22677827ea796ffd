#include "engine/KUtf8.h"

uint32_t KUtf8::next(const char *text, size_t length, size_t &at) {
  const unsigned char *t = reinterpret_cast<const unsigned char *>(text);
  const uint32_t lead = t[at];
  const size_t more = lead >= 0xF5 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : 0;
  uint32_t c = lead & (0x3F >> more);
  bool whole = more > 0 && at + more < length;
  for (size_t i = 1; whole && i <= more; ++i) {
    whole = (t[at + i] & 0xC0) == 0x80;
    c = (c << 6) | (t[at + i] & 0x3F);
  }
  // Overlong forms, surrogates and code points past Unicode are no characters either.
  if (!whole || (more == 2 && c < 0x800) || (more == 3 && (c < 0x10000 || c > 0x10FFFF)) ||
      (c >= 0xD800 && c <= 0xDFFF))
    return t[at++];
  at += more + 1;
  return c;
}

size_t KUtf8::previous(const char *text, size_t at) {
  if (at == 0) return 0;
  for (size_t bytes = 2; bytes <= 4 && bytes <= at; ++bytes) {
    size_t from = at - bytes;
    next(text, at, from);
    if (from == at) return at - bytes;
  }
  return at - 1;
}

namespace {
// Where one letter, or the whole broken one, that ends at `at` starts.
size_t letterBefore(const char *text, size_t at) {
  const unsigned char *t = reinterpret_cast<const unsigned char *>(text);
  size_t from = KUtf8::previous(text, at);
  if (at - from > 1 || (t[from] & 0xC0) != 0x80) return from;
  auto alone = [&](size_t i) { return KUtf8::previous(text, i + 1) == i; };
  while (from > 0 && at - from < 3 && (t[from - 1] & 0xC0) == 0x80 && alone(from - 1)) --from;
  if (from > 0 && t[from - 1] >= 0xC2 && t[from - 1] < 0xF5 && alone(from - 1)) --from;
  return from;
}

bool drawsNothing(const char *text, size_t from, size_t to) {
  while (from < to)
    if (!KUtf8::isInvisible(KUtf8::next(text, to, from))) return false;
  return true;
}
} // namespace

size_t KUtf8::backspace(const char *text, size_t at) {
  if (at == 0) return 0;
  size_t from = at;
  // Letters that draw nothing go with the one before them, or a press would seem to do nothing.
  do {
    at = from;
    from = letterBefore(text, at);
  } while (from > 0 && drawsNothing(text, from, at));
  return from;
}

size_t KUtf8::count(const char *text, size_t length) {
  size_t n = 0;
  for (size_t at = 0; at < length; ++n) next(text, length, at);
  return n;
}

size_t KUtf8::lead(const char *text, size_t length, size_t letters) {
  size_t at = 0;
  for (size_t n = 0; n < letters && at < length; ++n) next(text, length, at);
  return at;
}

bool KUtf8::isSpace(uint32_t c) {
  return c == 0x20 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F || c == 0x205F ||
         c == 0x3000;
}

bool KUtf8::isInvisible(uint32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0xAD || c == 0x034F || c == 0x061C || c == 0x115F ||
         c == 0x1160 || c == 0x17B4 || c == 0x17B5 || (c >= 0x180B && c <= 0x180E) || (c >= 0x200B && c <= 0x200F) ||
         (c >= 0x2028 && c <= 0x202E) || (c >= 0x2060 && c <= 0x206F) || c == 0x3164 || (c >= 0xFE00 && c <= 0xFE0F) ||
         c == 0xFEFF || c == 0xFFA0 || (c >= 0xE0000 && c <= 0xE0FFF);
}
