#include "events/CScoreLog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "media/CLogger.h"

std::string scoreLogBlock(const std::string &levelName, int score) {
  const std::string rule(66, '-');
  return "\n" + rule + "\nMINIGAME " + levelName + " SCORE : " + std::to_string(score) + "\n" + rule;
}

bool appendScoreLog(const std::string &path, const std::string &levelName, int score) {
  const std::string block = scoreLogBlock(levelName, score);
  const int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT, 0666);
  if (fd < 0) {
    CLogger::instance()->log("Cannot open " + path + " to append the score of " + levelName);
    return false;
  }
  struct stat before;
  const bool sized = fstat(fd, &before) == 0;
  size_t done = 0;
  while (done < block.size()) {
    ssize_t n = write(fd, block.data() + done, block.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += (size_t)n;
  }
  bool ok = done == block.size();
  // A block cut short is taken back out, so the log only ever holds whole blocks.
  if (!ok && done > 0 && sized && S_ISREG(before.st_mode) && ftruncate(fd, before.st_size) != 0)
    CLogger::instance()->log("Cannot take the partial score block back out of " + path);
  ok = close(fd) == 0 && ok;
  if (!ok) CLogger::instance()->log("Cannot append the score of " + levelName + " to " + path);
  return ok;
}
