// The sounds: Ogg Vorbis (effects and music) and WAV, as the start-up check reads their headers
// and as they are decoded when they play. The first byte picks the kind.
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "engine/KOggDecoder.h"
#include "engine/KSound.h"
#include "engine/KWavDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 1) return 0;
  const bool ogg = (data[0] & 1) != 0;
  const std::string path = fuzz::asFile(data + 1, size - 1, ogg ? ".ogg" : ".wav");
  KSound::checkFile(path.c_str());
  if (ogg) {
    KOggDecoder decoder;
    std::vector<unsigned char> pcm;
    int channels = 0;
    long rate = 0;
    decoder.decodeFile(path.c_str(), &pcm, &channels, &rate);
  } else {
    std::vector<unsigned char> bytes(data + 1, data + size);
    KWavDecoder::Format format;
    const unsigned char *pcm = nullptr;
    unsigned long count = 0;
    if (!KWavDecoder::decode(bytes.data(), (unsigned long)bytes.size(), "fuzz.wav", &format, &pcm, &count) &&
        (pcm < bytes.data() || pcm + count > bytes.data() + bytes.size()))
      __builtin_trap();
  }
  return 0;
}
