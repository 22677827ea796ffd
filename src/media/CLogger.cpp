#include "media/CLogger.h"

int32_t debug = 0;

void CLogger::log(std::string line) {
  if (debug == 0) return;
  file = std::fopen("log.txt", "a");
  if (!file) return;
  std::fputs(line.c_str(), file);
  std::fputs("\n", file);
  std::fclose(file);
  file = nullptr;
}
