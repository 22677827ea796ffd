#pragma once
#include <sstream>
#include <string>

// A value as text through a default-formatted string stream (bool as 0/1, pointers in hex).
template <class T> std::string makeString(T value) {
  std::ostringstream out;
  out << value;
  return out.str();
}

// A null text pointer gives an empty text rather than undefined stream behaviour.
template <> inline std::string makeString<const char *>(const char *value) { return value ? std::string(value) : std::string(); }
template <> inline std::string makeString<char *>(char *value) { return value ? std::string(value) : std::string(); }
