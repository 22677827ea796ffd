#pragma once
#include <cstddef>
#include <cstdint>

// Texts the player wrote (the player names) come as UTF-8; the game's own are plain ASCII, which
// reads the same. A byte that starts no whole, well-formed sequence is read alone, as the Latin-1
// letter it is in files written that way.
class KUtf8 {
public:
  // The character at `at` in text[0, length), moving `at` past it.
  static uint32_t next(const char *text, size_t length, size_t &at);
  // Where the character that ends at `at` starts, read as next reads it.
  static size_t previous(const char *text, size_t at);
  // Where Backspace leaves text that ends at `at`: before its last character, or before the whole
  // broken one it ends in (a lead byte and the bytes that follow it, each read alone), which
  // draws as a stray mark and nothing; characters that draw nothing (isInvisible) go with the
  // one before them.
  static size_t backspace(const char *text, size_t at);
  // The characters in text[0, length).
  static size_t count(const char *text, size_t length);
  // The length in bytes of the first `letters` characters of text[0, length).
  static size_t lead(const char *text, size_t length, size_t letters);

  // Drawn as a space: the space itself and the no-break and typographic spaces.
  static bool isSpace(uint32_t c);
  // Drawn as nothing: controls, zero-width and other invisible format characters.
  static bool isInvisible(uint32_t c);
};
