#include "engine/KResource.h"

#include "engine/KGraphic.h"
#include "engine/KMiscTools.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <new>
#include <string>

KList<KResource> KResource::_lArchives;

namespace {
// Per thread: pictures are read on worker threads too.
thread_local std::string g_fileName;
thread_local std::string g_archiveName;
thread_local std::string g_openFault;

bool isSeparator(char c) { return c == '/' || c == '\\'; }

// Length of the application folder at the start of name (compared without regard to case),
// or 0 when name does not lie below it.
size_t applicationPrefix(const char *name) {
  const std::string current = KMiscTools::getCurrentPath();
  size_t n = current.size();
  while (n > 1 && isSeparator(current[n - 1])) --n;
  if (n == 0) return 0;
  for (size_t i = 0; i < n; ++i) {
    if (!name[i]) return 0;
    if (std::tolower((unsigned char)name[i]) != std::tolower((unsigned char)current[i])) return 0;
  }
  return isSeparator(name[n]) ? n : 0;
}

// The install path keeps its case (the file system is case-sensitive); what lies below the
// application folder is looked up in lower case, as the data files are stored.
std::string lowerName(const char *name, size_t prefix) {
  std::string lower = name;
  if (prefix > 0) K_strlower(&lower[prefix]);
  else if (lower[0] != '/') K_strlower(&lower[0]);
  return lower;
}

uint64_t octalField(const unsigned char *p, size_t len) {
  uint64_t v = 0;
  size_t i = 0;
  while (i < len && (p[i] == ' ' || p[i] == 0)) {
    if (p[i] == 0) return 0;
    ++i;
  }
  for (; i < len && p[i] >= '0' && p[i] <= '7'; ++i) v = v * 8 + (uint64_t)(p[i] - '0');
  return v;
}
} // namespace

const char *KResource::openFault() { return g_openFault.c_str(); }

std::string KResource::diskName(const char *name) {
  if (!name || !*name) return std::string();
  const std::string lower = lowerName(name, applicationPrefix(name));
  // As open does: the name as given only where its lower-case form is not there.
  struct stat st;
  if (lower != name && stat(lower.c_str(), &st) != 0 && stat(name, &st) == 0) return name;
  return lower;
}

char *K_strlower(char *s) {
  if (!s) return nullptr;
  for (; *s; ++s) *s = (char)std::tolower((unsigned char)*s);
  return s;
}

KResource::KResource() : file(nullptr), borrowed(0), mode(0), base(0), size(0) {}

KResource::~KResource() { close(); }

int KResource::open(const char *name, KResourceMode openMode) {
  if (!name) return K_RES_NOTFOUND;

  const size_t prefix = applicationPrefix(name);
  g_fileName = lowerName(name, prefix);
  if (prefix > 0) {
    g_archiveName = g_fileName.substr(prefix + 1);
    for (char &c : g_archiveName)
      if (c == '/') c = '\\';
  } else {
    g_archiveName = name;
  }

  if (mode != 0) return K_RES_STATE;
  if (openMode != K_RES_READ) return K_RES_BADARG;

  for (KResource *a = _lArchives.getHead(); a; a = _lArchives.getNext(a)) {
    if (a->openResource(g_archiveName.c_str(), this) == K_RES_OK) return K_RES_OK;
  }

  // Without O_NONBLOCK a FIFO in the file's place would hold the game here for good.
  const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
  int fd = ::open(g_fileName.c_str(), flags);
  // A name already in the right case still opens when its lower-case form does not exist.
  if (fd < 0 && (errno == ENOENT || errno == ENOTDIR) && g_fileName != name) fd = ::open(name, flags);
  if (fd < 0) {
    const int err = errno;
    // No file by that name could be there.
    if (err == ENOENT || err == ENOTDIR || err == ENAMETOOLONG) return K_RES_NOTFOUND;
    g_openFault = err == EACCES || err == EPERM ? std::string("no permission to read it")
                  : err == EISDIR                ? std::string("it is a folder, not a file")
                                                 : std::string("it cannot be opened: ") + std::strerror(err);
    return K_RES_UNREADABLE;
  }
  struct stat st;
  const bool seen = fstat(fd, &st) == 0;
  if (!seen || !S_ISREG(st.st_mode)) {
    g_openFault = !seen                ? std::string("it cannot be opened: ") + std::strerror(errno)
                  : S_ISDIR(st.st_mode) ? std::string("it is a folder, not a file")
                                        : std::string("it is not a plain file");
    ::close(fd);
    return K_RES_UNREADABLE;
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  FILE *f = fdopen(fd, "rb");
  if (!f) {
    ::close(fd);
    return K_RES_NOTFOUND;
  }
  file = f;
  borrowed = 0;
  base = 0;
  size = 0;
  mode = K_RES_READ;
  return K_RES_OK;
}

int KResource::open(KResource *archive, unsigned int memberSize) {
  if (mode != 0 || !archive || archive->mode != K_RES_READ) return K_RES_STATE;
  if (!archive->file) return K_RES_NODATA;
  long pos = std::ftell(archive->file);
  if (pos < 0) return K_RES_NODATA;
  file = archive->file;
  borrowed = 1;
  mode = K_RES_READ;
  base = (int32_t)pos;
  size = memberSize;
  return K_RES_OK;
}

void KResource::close() {
  if (mode == 0 && !file) return;
  if (file && !borrowed) std::fclose(file);
  file = nullptr;
  borrowed = 0;
  mode = 0;
  base = 0;
  size = 0;
}

int KResource::read(void *buffer, unsigned long n) {
  if (mode == 0 || !file) return K_RES_STATE;
  if (mode != K_RES_READ) return K_RES_MODE;
  if (n == 0 || !buffer) return K_RES_NODATA;
  unsigned long want = n;
  if (borrowed) {
    // A member ends where its data ends; the bytes after it belong to the next member.
    long pos = std::ftell(file) - base;
    if (pos < 0 || (unsigned long)pos >= size) return K_RES_NODATA;
    unsigned long left = size - (unsigned long)pos;
    if (want > left) want = left;
  }
  size_t got = std::fread(buffer, 1, want, file);
  return got == n ? K_RES_OK : K_RES_NODATA;
}

int KResource::seek(KResourceWhence whence, int offset) {
  if (mode != K_RES_READ || !file) return K_RES_STATE;
  switch (whence) {
  case K_RES_BEGIN:
    std::fseek(file, (long)base + offset, SEEK_SET);
    break;
  case K_RES_CURRENT:
    std::fseek(file, offset, SEEK_CUR);
    break;
  case K_RES_END:
    if (borrowed)
      std::fseek(file, (long)base + (long)size - offset, SEEK_SET);
    else
      std::fseek(file, offset, SEEK_END);
    break;
  default:
    return K_RES_BADARG;
  }
  return K_RES_OK;
}

int KResource::tell(int &position) {
  if (mode != K_RES_READ || !file) return K_RES_STATE;
  position = (int)(std::ftell(file) - base);
  return K_RES_OK;
}

int KResource::openResource(const char *, KResource *) { return K_RES_STATE; }

int KResource::addArchive(const char *name) {
  KResourceArchive *archive = new (std::nothrow) KResourceArchive();
  if (!archive) return K_RES_NODATA;
  int code = archive->open(name);
  if (code != K_RES_OK) {
    delete archive;
    return code;
  }
  _lArchives.addToTail(archive);
  return K_RES_OK;
}

void KResource::removeAllArchives() {
  while (KResource *a = _lArchives.getHead()) {
    _lArchives.remove(a);
    delete a;
  }
}

int KResourceArchive::openResource(const char *name, KResource *into) {
  std::string wanted = name ? name : "";
  for (char &c : wanted)
    if (c == '\\') c = '/';
  // A tar header holds at most 100 bytes of name; a longer one matches no member.
  if (wanted.size() > 100) return K_RES_NOTFOUND;

  int code = seek(K_RES_BEGIN, 0);
  if (code != K_RES_OK) return code;

  unsigned char header[512];
  for (;;) {
    code = read(header, sizeof(header));
    if (code != K_RES_OK) return code;
    bool zero = true;
    for (unsigned char b : header)
      if (b) {
        zero = false;
        break;
      }
    if (zero) return K_RES_NOTFOUND;

    uint64_t memberSize = octalField(header + 124, 12);
    char type = (char)header[156];
    if ((type == 0 || type == '0') && std::strncmp((const char *)header, wanted.c_str(), 100) == 0) {
      if (memberSize > 0xFFFFFFFFull) return K_RES_NODATA;
      return into->open(this, (unsigned int)memberSize);
    }
    uint64_t skip = (memberSize + 511) & ~(uint64_t)511;
    if (skip > 0x7FFFFFFFull) return K_RES_NODATA;
    code = seek(K_RES_CURRENT, (int)skip);
    if (code != K_RES_OK) return code;
  }
}
