#pragma once

struct DUH;
struct DUH_SIGRENDERER;

// A tracker module (IT, XM, S3M, MOD) rendered by DUMB as 16-bit stereo 44100 Hz frames.
// Failures come back as results; nothing here throws.
class KModulePlayer {
public:
  static const int kRate = 44100;

  KModulePlayer() = default;
  ~KModulePlayer() { unload(); }
  KModulePlayer(const KModulePlayer &) = delete;
  KModulePlayer &operator=(const KModulePlayer &) = delete;

  // DUMB's own set-up, while any sound exists.
  static void startLibrary();
  static void stopLibrary();

  // nullptr when loaded, else what is wrong, for the player's message.
  const char *load(const char *file);
  void unload();
  bool isLoaded() const { return _module != nullptr; }
  bool canRender() const { return _renderer != nullptr; }

  // Whether the song starts again at its end rather than stopping there.
  void setLoop(bool loop) { _loop = loop; }
  // An order past the song's end starts it from the beginning.
  void restartAt(int order);
  // Renders up to frames frames into pcm and gives how many; fewer, or *ended set, means the
  // song ended and was not allowed to loop.
  long render(void *pcm, long frames, bool *ended);
  // Renders the song from its start into a raw file, up to maxBytes when that is above 0,
  // else to the end of the song.
  bool toRaw(const char *file, unsigned long maxBytes);

private:
  static int loopReached(void *user);

  DUH *_module = nullptr;
  DUH_SIGRENDERER *_renderer = nullptr;
  bool _loop = false;
  bool _ended = false;
};
