#include "media/CFatal.h"

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <tinyxml.h>

#include "media/CLogger.h"

namespace {
[[noreturn]] void endProcess(int status) {
  std::fflush(stdout);
  std::fflush(stderr);
  std::exit(status == 0 ? 1 : status);
}
} // namespace

void fatalError(const std::string &line, int status) {
  if (line.empty()) {
    // One fatal path has nothing to log; whoever started the game still learns why it ended.
    std::fprintf(stderr, "Fatal error (status %d)\n", status);
  } else {
    CLogger::instance()->log(line);
    std::fprintf(stderr, "%s\n", line.c_str());
  }
  endProcess(status);
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
  std::fprintf(stderr, "%s%s\n", line.empty() ? "Fatal data error" : line.c_str(), where.c_str());
  endProcess(status);
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
