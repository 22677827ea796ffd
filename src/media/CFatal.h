#pragma once
#include <string>

// The one way the game ends on a broken data file or a broken invariant: the line goes to the
// debug log (when logging is on) and to standard error, then the process ends with a non-zero
// status. A status of 0 in the game's own terms still ends with 1, so a failure never looks like
// success to whoever started the game.
[[noreturn]] void fatalError(const std::string &line, int status);

// While the game runs, the fatal line is also shown to the player (the game installs a system
// message box here) before the process ends; without one (tests, tools) it is only printed.
typedef void (*FatalNotice)(const std::string &text);
void setFatalNotice(FatalNotice notice);

// For XML data files: names the file and, when known (> 0), the row.
[[noreturn]] void fatalDataError(const std::string &line, const std::string &file, int row, int status);

class TiXmlDocument;

// For an XML data file that would not load: the game's own line, and on standard error also why
// (no such file, or the parser's complaint and its row), so a broken file is not taken for a
// missing one.
[[noreturn]] void fatalXmlLoadError(const std::string &line, const std::string &file, const TiXmlDocument &doc,
                                    int status);
