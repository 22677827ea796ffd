#pragma once
#include <string>
#include <vector>

// One line of a settings file: "KEY value", where the value is the decimal integer that starts the
// rest of the line. hasValue is false when the rest does not start with one in int range, so the
// reader can leave that setting as it was.
struct TSettingLine {
  std::string key;
  bool hasValue;
  int value;
};

// The small text format every settings file shares.
class CSettingsFile {
public:
  // The file's lines in order; false when it cannot be opened (the caller then uses defaults).
  // A file that is there but cannot be used (no plain file, far too large) is also said on
  // standard error and in the log, naming it.
  static bool read(const std::string &path, std::vector<TSettingLine> &lines);
  // The lines of a file's text; lines without a key are left out.
  static std::vector<TSettingLine> parse(const std::string &text);
  // Parses one line without its line end; a line without a key gives an empty key.
  static TSettingLine parseLine(const std::string &line);
};
