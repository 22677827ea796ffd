#include "core/CSafeFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/KMiscTools.h"
#include "media/CLogger.h"

namespace {

void report(const std::string &path, const char *what, int err, std::string *why) {
  if (why) *why = err ? CSafeFile::reasonOf(err) : std::string(what);
  std::string line = "Can't write " + path + ": " + what;
  if (err) line += std::string(" (") + std::strerror(err) + ")";
  line += "; the old file is kept";
  CLogger::instance()->log(line);
  std::fprintf(stderr, "%s\n", line.c_str());
}

// Keep the mode of the file being replaced; a new file gets what fopen("w") would give it.
mode_t modeFor(const std::string &path) {
  struct stat st;
  if (stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

void syncFolder(const std::string &path) {
  std::string folder = ".";
  size_t slash = path.rfind('/');
  if (slash != std::string::npos) folder = slash == 0 ? "/" : path.substr(0, slash);
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  // Best effort: the rename is already done, this only makes it survive a power cut sooner.
  (void)fsync(fd);
  close(fd);
}

} // namespace

bool CSafeFile::write(const std::string &path, const void *data, size_t size, std::string *why) {
  // One fixed temporary name per file: a write cut short by a crash or a kill leaves at most this
  // one file, and the next write of the same file takes it over.
  std::string temp = path + ".tmp";
  if (unlink(temp.c_str()) != 0 && errno != ENOENT) {
    const int err = errno;
    // A read-only file system refuses even to remove a name that is not there.
    struct stat st;
    if (lstat(temp.c_str(), &st) == 0 || errno != ENOENT) {
      report(path, "cannot remove the old temporary file", err, why);
      return false;
    }
  }
  int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) {
    const int err = errno;
    const bool folder = err == EROFS || err == EACCES || err == EPERM;
    report(path, folder ? "the folder cannot be written" : "cannot create a temporary file", err, why);
    return false;
  }
  const char *p = static_cast<const char *>(data);
  size_t left = size;
  int err = 0;
  const char *what = nullptr;
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      err = n < 0 ? errno : ENOSPC;
      what = "write failed";
      break;
    }
    p += n;
    left -= (size_t)n;
  }
  if (!what && fchmod(fd, modeFor(path)) != 0) {
    err = errno;
    what = "cannot set the file mode";
  }
  if (!what && fsync(fd) != 0) {
    err = errno;
    what = "cannot flush to disk";
  }
  if (close(fd) != 0 && !what) {
    err = errno;
    what = "cannot close the temporary file";
  }
  if (!what && std::rename(temp.c_str(), path.c_str()) != 0) {
    err = errno;
    what = "cannot replace the file";
  }
  if (what) {
    unlink(temp.c_str());
    report(path, what, err, why);
    return false;
  }
  syncFolder(path);
  return true;
}

void CSafeFile::clearCutWrites(const std::string &folder) {
  DIR *d = opendir(folder.c_str());
  if (!d) return;
  static const std::string kTemp = ".tmp";
  while (dirent *e = readdir(d)) {
    const std::string name = e->d_name;
    if (name.size() <= kTemp.size() || name.compare(name.size() - kTemp.size(), kTemp.size(), kTemp) != 0) continue;
    const std::string path = folder + "/" + name;
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || unlink(path.c_str()) != 0) continue;
    CLogger::instance()->log("Removed " + path + ", left by a write cut short");
  }
  closedir(d);
}

bool CSafeFile::write(const std::string &path, const std::string &bytes, std::string *why) {
  return write(path, bytes.data(), bytes.size(), why);
}

bool CSafeFile::readOrCreate(const std::string &path, const std::string &defaults, std::string &bytes,
                             std::string &why, size_t cap) {
  if (read(path, bytes, cap, &why)) return true;
  struct stat st;
  if (lstat(path.c_str(), &st) == 0 || errno != ENOENT) return false;
  std::string created;
  if (!write(path, defaults, &created)) {
    why = "it is missing and cannot be created: " + created;
    return false;
  }
  if (read(path, bytes, cap, &why)) return true;
  why = "it cannot be read back after creating it: " + why;
  return false;
}

std::string CSafeFile::reasonOf(int err) {
  switch (err) {
  case ENOSPC:
  case EDQUOT:
    return "the disk is full";
  case EFBIG:
    return "the file is too big for this system";
  case EROFS:
    return "the folder is read-only";
  case EACCES:
  case EPERM:
    return "the folder may not be written";
  case ENOENT:
  case ENOTDIR:
    return "the folder is missing";
  case EISDIR:
    return "a folder stands in its place";
  case EIO:
    return "the disk reports an error";
  default:
    return std::strerror(err);
  }
}

std::string CSafeFile::readReasonOf(int err) {
  switch (err) {
  case EACCES:
  case EPERM:
    return "no permission to read it";
  case ELOOP:
    return "its link leads round in a loop";
  case EIO:
    return "the disk reports an error";
  case ENOENT:
  case ENOTDIR:
    return "it is gone";
  default:
    return std::strerror(err);
  }
}

std::string CSafeFile::shortPath(const std::string &path) {
  const char *home = std::getenv("HOME");
  const size_t n = home ? std::strlen(home) : 0;
  if (n > 1 && path.compare(0, n, home) == 0 && (path.size() == n || path[n] == '/')) return "~" + path.substr(n);
  return path;
}

namespace {
bool refuse(std::string *why, const std::string &text, int err) {
  if (why) *why = text;
  errno = err;
  return false;
}
} // namespace

bool CSafeFile::read(const std::string &path, std::string &bytes, size_t cap, std::string *why) {
  bytes.clear();
  // Without O_NONBLOCK a FIFO in the file's place would stop the game here for good.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    const int err = errno;
    return refuse(why, err == EISDIR ? std::string("it is a folder, not a file")
                                     : std::string("it cannot be read (") + std::strerror(err) + ")",
                  err);
  }
  struct stat st;
  std::string fault;
  int err = 0;
  if (fstat(fd, &st) != 0) {
    err = errno;
    fault = std::string("it cannot be read (") + std::strerror(err) + ")";
  } else if (S_ISDIR(st.st_mode)) {
    err = EISDIR;
    fault = "it is a folder, not a file";
  } else if (!S_ISREG(st.st_mode)) {
    err = EINVAL;
    fault = "it is not a plain file";
  } else if ((unsigned long long)st.st_size > cap) {
    err = EFBIG;
    fault = "it is larger than such a file ever is";
  }
  // Read to at most one byte past the cap: a file that grows meanwhile is still refused.
  char buf[4096];
  while (fault.empty()) {
    const ssize_t n = ::read(fd, buf, sizeof(buf));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      err = errno;
      fault = std::string("it cannot be read (") + std::strerror(err) + ")";
    } else if (n == 0) {
      break;
    } else if (bytes.size() + (size_t)n > cap) {
      err = EFBIG;
      fault = "it is larger than such a file ever is";
    } else {
      bytes.append(buf, (size_t)n);
    }
  }
  close(fd);
  if (fault.empty()) return true;
  bytes.clear();
  return refuse(why, fault, err);
}

std::string userFilePath(const std::string &relative) {
  const char *user = KMiscTools::getUserFolder();
  std::string joined = std::string(user ? user : "") + relative;
  return std::string(KMiscTools::makeFilePath(joined.c_str()));
}
