#pragma once
#include <cstddef>
#include <string>

// Every file the game writes goes through here: the bytes land in the temporary file NAME.tmp beside
// the target, which is renamed over the target only once it is complete on disk. A crash, a full disk
// or a missing folder therefore leaves the old file as it was; the failure is logged and printed
// to standard error, and the call returns false.
class CSafeFile {
public:
  static bool write(const std::string &path, const void *data, size_t size);
  static bool write(const std::string &path, const std::string &bytes);

  // A whole file as bytes; false when it cannot be opened or read.
  static bool read(const std::string &path, std::string &bytes);
};

// Real path of a file under the user's folder, e.g. userFilePath("\\hospital\\top10.bin").
std::string userFilePath(const std::string &relative);
