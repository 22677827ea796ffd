#include "media/CFatal.h"

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <tinyxml.h>

#include "media/CLogger.h"

namespace {
FatalNotice g_notice = nullptr;

[[noreturn]] void endProcess(const std::string &text, int status) {
  std::fflush(stdout);
  std::fflush(stderr);
  // Taken first: a fault while the player reads the notice ends the process at once.
  FatalNotice notice = g_notice;
  g_notice = nullptr;
  if (notice) notice(text);
  std::exit(status == 0 ? 1 : status);
}
} // namespace

void setFatalNotice(FatalNotice notice) { g_notice = notice; }

void fatalError(const std::string &line, int status) {
  std::string text = line;
  if (line.empty()) {
    // One fatal path has nothing to log; whoever started the game still learns why it ended.
    text = "Fatal error (status " + std::to_string(status) + ")";
  } else {
    CLogger::instance()->log(line);
  }
  std::fprintf(stderr, "%s\n", text.c_str());
  endProcess(text, status);
}

namespace {
[[noreturn]] void dataError(const std::string &line, const std::string &file, int row, const std::string &why,
                            int status) {
  if (!line.empty()) CLogger::instance()->log(line);
  std::string where;
  if (!file.empty()) {
    where = " (file " + file;
    if (row > 0) where += ", row " + std::to_string(row);
    if (!why.empty()) where += ": " + why;
    where += ")";
  }
  const std::string text = (line.empty() ? std::string("Fatal data error") : line) + where;
  std::fprintf(stderr, "%s\n", text.c_str());
  endProcess(text, status);
}
} // namespace

void fatalDataError(const std::string &line, const std::string &file, int row, int status) {
  dataError(line, file, row, std::string(), status);
}

void fatalXmlLoadError(const std::string &line, const std::string &file, const TiXmlDocument &doc, int status) {
  struct stat st;
  if (stat(file.c_str(), &st) != 0) dataError(line, file, 0, "no such file", status);
  dataError(line, file, doc.ErrorRow(), doc.ErrorDesc() ? doc.ErrorDesc() : "not readable XML", status);
}
