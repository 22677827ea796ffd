#include "FuzzSupport.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "media/CFatal.h"

namespace fuzz {

namespace {
struct FatalDataError {};

[[noreturn]] void throwFatal(const std::string &) { throw FatalDataError(); }

// Kept until the files are removed at exit, after the statics are gone.
const std::string &folder() {
  static const std::string *made = [] {
    // A fuzzer ended by its time limit may skip the removal below: fuzz/run.sh gives a folder
    // of its own that it empties.
    const char *base = std::getenv("TOB_FUZZ_TMP");
    if (!base) base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string tmpl = std::string(base) + "/tob_fuzz_XXXXXX";
    if (!mkdtemp(&tmpl[0])) std::abort();
    std::atexit([] {
      std::string cmd = "rm -rf '" + folder() + "'";
      if (std::system(cmd.c_str()) != 0) std::fprintf(stderr, "could not remove %s\n", folder().c_str());
    });
    return new std::string(tmpl);
  }();
  return *made;
}
} // namespace

void guarded(const std::function<void()> &reader) {
  // The notice is taken before it runs: installed again for every input.
  setFatalNotice(throwFatal);
  try {
    reader();
  } catch (const FatalDataError &) {
  }
  setFatalNotice(nullptr);
}

std::string asFile(const uint8_t *data, size_t size, const std::string &suffix) {
  const std::string path = folder() + "/input" + suffix;
  FILE *f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (size && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);
  return path;
}

} // namespace fuzz
