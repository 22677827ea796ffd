#pragma once
#include <cstddef>
#include <cstdint>

// A whole file held in memory and read like a file, for decoders that want a data source.
// Failures come back as results; nothing here throws.
class KMemoryFile {
public:
  KMemoryFile() = default;
  ~KMemoryFile() { clear(); }
  KMemoryFile(const KMemoryFile &) = delete;
  KMemoryFile &operator=(const KMemoryFile &) = delete;

  // False when the file can't be read or is empty.
  bool load(const char *path);
  // Copies size bytes and 1024 zero bytes after them, so a decoder reading a little past the
  // end reads silence.
  bool copy(const char *data, unsigned long size);
  void clear();

  unsigned char *data() { return _data; }
  size_t size() const { return _size; }

  // stdio-like: read gives (size_t)-1 for a request too large to count; seek clamps into the
  // file and ignores an unknown whence.
  size_t read(void *buffer, size_t size, size_t count);
  int seek(int64_t offset, int whence);
  long tell() const { return (long)_pos; }

private:
  unsigned char *_data = nullptr;
  size_t _size = 0;
  size_t _pos = 0;
};
