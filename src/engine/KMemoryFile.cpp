#include "engine/KMemoryFile.h"

#include <cstdio>
#include <cstring>
#include <new>

void KMemoryFile::clear() {
  delete[] _data;
  _data = nullptr;
  _size = 0;
  _pos = 0;
}

bool KMemoryFile::load(const char *path) {
  clear();
  if (!path) return false;
  FILE *f = std::fopen(path, "rb");
  if (!f) return false;
  long size = -1;
  if (std::fseek(f, 0, SEEK_END) == 0) size = std::ftell(f);
  if (size <= 0 || std::fseek(f, 0, SEEK_SET) != 0) {
    std::fclose(f);
    return false;
  }
  _data = new (std::nothrow) unsigned char[(size_t)size];
  bool ok = _data && std::fread(_data, 1, (size_t)size, f) == (size_t)size;
  std::fclose(f);
  if (!ok) {
    clear();
    return false;
  }
  _size = (size_t)size;
  _pos = 0;
  return true;
}

bool KMemoryFile::copy(const char *data, unsigned long size) {
  clear();
  if (!data || size == 0) return false;
  _data = new (std::nothrow) unsigned char[size + 1024];
  if (!_data) return false;
  std::memcpy(_data, data, size);
  std::memset(_data + size, 0, 1024);
  _size = size;
  _pos = 0;
  return true;
}

size_t KMemoryFile::read(void *buffer, size_t size, size_t count) {
  if (_pos >= _size) return 0;
  size_t wanted = size * count;
  if ((long)wanted < 0) return (size_t)-1;
  size_t left = _size - _pos;
  size_t n = wanted < left ? wanted : left;
  std::memcpy(buffer, _data + _pos, n);
  _pos += n;
  return n;
}

int KMemoryFile::seek(int64_t offset, int whence) {
  int64_t position;
  switch (whence) {
  case SEEK_SET: position = offset; break;
  case SEEK_CUR: position = (int64_t)_pos + offset; break;
  case SEEK_END: position = (int64_t)_size + offset; break;
  default: return 0;
  }
  if (position < 0) position = 0;
  if ((uint64_t)position >= _size) position = (int64_t)_size;
  _pos = (size_t)position;
  return 0;
}
