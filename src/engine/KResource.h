#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

class KObjectBase {
public:
  virtual ~KObjectBase() {}
};

// An object that can sit in one intrusive list; copies never take over the links.
class KObjectListable : public KObjectBase {
public:
  KObjectListable() : next(nullptr), previous(nullptr) {}
  KObjectListable(const KObjectListable &) : KObjectBase(), next(nullptr), previous(nullptr) {}
  KObjectListable &operator=(const KObjectListable &) {
    next = nullptr;
    previous = nullptr;
    return *this;
  }
  ~KObjectListable() override {}

  KObjectListable *next;
  KObjectListable *previous;
};

// Circular doubly linked list whose head is the list object itself. It never owns its elements.
template <class T> class KList : public KObjectListable {
public:
  KList() : count(0) {
    next = this;
    previous = this;
  }
  KList(const KList &) = delete;
  KList &operator=(const KList &) = delete;
  ~KList() override {
    while (count > 0 && next != this) remove(static_cast<T *>(next));
    next = nullptr;
    previous = nullptr;
  }

  void addToTail(T *element) {
    KObjectListable *e = element;
    e->previous = previous;
    e->next = this;
    previous->next = e;
    previous = e;
    count++;
  }
  void remove(T *element) {
    KObjectListable *e = element;
    if (!e->next || !e->previous) return;
    e->previous->next = e->next;
    e->next->previous = e->previous;
    e->next = nullptr;
    e->previous = nullptr;
    count--;
  }
  T *getHead() const { return next == this ? nullptr : static_cast<T *>(next); }
  T *getNext(T *element) const {
    KObjectListable *n = static_cast<KObjectListable *>(element)->next;
    return (n == this || !n) ? nullptr : static_cast<T *>(n);
  }
  uint32_t getCount() const { return count; }

  uint32_t count;
};

typedef int KResourceMode;
enum { K_RES_READ = 1000 };
typedef int KResourceWhence;
enum { K_RES_BEGIN = 0, K_RES_CURRENT = 1, K_RES_END = 2 };

enum {
  K_RES_OK = 0,
  K_RES_STATE = 100,    // open twice, use while closed, or no members in this class
  K_RES_MODE = 101,     // read in a mode other than read
  K_RES_BADARG = 102,   // unknown mode or whence
  K_RES_NOTFOUND = 104, // no such file or member
  K_RES_UNREADABLE = 105, // there but not to be read: no permission, no plain file (openFault says)
  K_RES_NODATA = 106,   // read of nothing or too little, or an archive without a file
};

// A readable data file, looked up in the registered tar archives first, then on disk.
class KResource : public KObjectListable {
public:
  KResource();
  ~KResource() override;

  int open(const char *name, KResourceMode mode);
  // Why the last open on this thread found its file unreadable, in the player's words.
  static const char *openFault();
  // The name of the file open finds on disk for name, as a message names it to the player: below
  // the application folder the data files lie in lower case, whatever case the game asks in.
  static std::string diskName(const char *name);
  // Opens this resource as the member of archive that starts at the archive's position.
  int open(KResource *archive, unsigned int size);
  void close();
  int read(void *buffer, unsigned long n);
  int seek(KResourceWhence whence, int offset);
  int tell(int &position);
  virtual int openResource(const char *name, KResource *into);

  static int addArchive(const char *name);
  // Closes and forgets every registered archive (tests and tools; the game registers none).
  static void removeAllArchives();

  FILE *file;
  int borrowed;
  int mode;
  int32_t base;
  uint32_t size;

  static KList<KResource> _lArchives;
};

class KResourceArchive : public KResource {
public:
  int open(const char *name) { return KResource::open(name, K_RES_READ); }
  using KResource::open;
  int openResource(const char *name, KResource *into) override;
};
