#pragma once
#include <cstddef>
#include <string>

// Every file the game writes goes through here: the bytes land in the temporary file NAME.tmp beside
// the target, which is renamed over the target only once it is complete on disk. A crash, a full disk
// or a missing folder therefore leaves the old file as it was; the failure is logged and printed
// to standard error, and the call returns false. `why`, when given, receives the reason in the
// player's words ("the disk is full").
class CSafeFile {
public:
  static bool write(const std::string &path, const void *data, size_t size, std::string *why = nullptr);
  static bool write(const std::string &path, const std::string &bytes, std::string *why = nullptr);

  // Removes the temporary files (NAME.tmp) a kill or a crash left in the folder while writing
  // there; the files they were to replace are whole, as they were before that write.
  static void clearCutWrites(const std::string &folder);

  // An errno value in the player's words, for a file being written.
  static std::string reasonOf(int err);
  // The same for a file that could not be opened to be read ("no permission to read it").
  static std::string readReasonOf(int err);
  // The path with the home folder written as "~", short enough for the game's message window.
  static std::string shortPath(const std::string &path);

  // The settings, the player names and the score table are all far below this.
  static const size_t kSmallFileCap = 64 * 1024;

  // A whole file as bytes; false when it cannot be opened or read, when it is no regular file
  // (a FIFO or a device would block or never end) or when it is larger than `cap` bytes. `why`,
  // when given, then says which in a few words.
  static bool read(const std::string &path, std::string &bytes, size_t cap = kSmallFileCap, std::string *why = nullptr);
  // Reads the file, creating it with `defaults` only when it does not exist at all, so a file
  // that exists but cannot be read is never replaced; on failure `why` says so in a few words.
  static bool readOrCreate(const std::string &path, const std::string &defaults, std::string &bytes,
                           std::string &why, size_t cap = kSmallFileCap);
};

// Real path of a file under the user's folder, e.g. userFilePath("\\hospital\\top10.bin").
std::string userFilePath(const std::string &relative);
