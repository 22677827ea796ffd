#include "engine/KOggDecoder.h"

#include <vorbis/vorbisfile.h>

#include <cstring>
#include <type_traits>

static_assert(std::is_same<ogg_int64_t, int64_t>::value, "the seek callback's offset must match vorbisfile's");

namespace {
const int kHostBigEndian = __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__;

size_t readFile(void *buffer, size_t size, size_t count, void *source) {
  return source ? static_cast<KMemoryFile *>(source)->read(buffer, size, count) : (size_t)-1;
}
int seekFile(void *source, int64_t offset, int whence) {
  return source ? static_cast<KMemoryFile *>(source)->seek(offset, whence) : -1;
}
// The in-memory file belongs to the decoder's owner, not to vorbisfile.
int closeFile(void *) { return -1; }
long tellFile(void *source) { return source ? static_cast<KMemoryFile *>(source)->tell() : -1; }

ov_callbacks fileCallbacks() {
  ov_callbacks cb;
  cb.read_func = readFile;
  cb.seek_func = seekFile;
  cb.close_func = closeFile;
  cb.tell_func = tellFile;
  return cb;
}
} // namespace

KOggDecoder::KOggDecoder() {
  _vorbis = new OggVorbis_File;
  std::memset(_vorbis, 0, sizeof(OggVorbis_File));
}

KOggDecoder::~KOggDecoder() {
  close();
  delete _vorbis;
}

bool KOggDecoder::open() {
  if (ov_open_callbacks(&_file, _vorbis, nullptr, 0, fileCallbacks()) < 0) {
    _file.clear();
    return false;
  }
  _open = true;
  return true;
}

bool KOggDecoder::format(int *channels, long *rate) {
  vorbis_info *info = ov_info(_vorbis, -1);
  if (!info || info->channels < 1 || info->channels > 2 || info->rate <= 0) return false;
  *channels = info->channels;
  *rate = info->rate;
  return true;
}

void KOggDecoder::close() {
  if (!_open) return;
  ov_clear(_vorbis);
  _open = false;
}

void KOggDecoder::rewind() { ov_time_seek(_vorbis, 0.0); }

const char *KOggDecoder::decodeFile(const char *path, std::vector<unsigned char> *pcm, int *channels, long *rate) {
  if (!_file.load(path)) return "the file can't be read or is empty";
  if (!open()) return "not an Ogg Vorbis file";
  if (!format(channels, rate)) {
    close();
    _file.clear();
    return "only Ogg Vorbis in one or two channels can be played";
  }
  char scratch[4096];
  int section = 0;
  int holes = 0;
  for (;;) {
    long n = ov_read(_vorbis, scratch, sizeof(scratch), kHostBigEndian, 2, 1, &section);
    if (n == OV_HOLE && ++holes < 1000) continue;
    if (n <= 0) break;
    if (pcm->size() + (size_t)n > 0x7FFFFFFFu) break;
    pcm->insert(pcm->end(), scratch, scratch + n);
  }
  close();
  _file.clear();
  return nullptr;
}

uint32_t KOggDecoder::fill(unsigned char *buffer, uint32_t size, bool loop, bool *ended) {
  uint32_t filled = 0;
  int section = 0;
  while (filled < size) {
    long n = ov_read(_vorbis, (char *)buffer + filled, (int)(size - filled), kHostBigEndian, 2, 1, &section);
    if (n < 0) {
      // A decoding error costs one silent buffer; playback goes on.
      std::memset(buffer, 0, size);
      return size;
    }
    if (n == 0) {
      if (loop) {
        ov_time_seek(_vorbis, 0.0);
        filled = size; // the rest of this buffer stays silent
      } else {
        *ended = true;
      }
      break;
    }
    filled += (uint32_t)n;
  }
  return filled;
}

const char *KOggDecoder::checkHeader(const unsigned char *d, size_t size) {
  if (size < 28 || std::memcmp(d, "OggS", 4) != 0 || d[4] != 0) return "not an Ogg stream";
  if (!(d[5] & 0x02)) return "the Ogg stream does not begin with its first page";
  const size_t body = 27 + (size_t)d[26];
  // The identification packet: type 1, "vorbis", version, channels, rate, bit rates, block sizes, framing.
  if (size < body + 30 || d[body] != 1 || std::memcmp(d + body + 1, "vorbis", 6) != 0)
    return "no Vorbis identification header";
  const unsigned char *id = d + body + 7;
  const uint32_t version = (uint32_t)id[0] | (uint32_t)id[1] << 8 | (uint32_t)id[2] << 16 | (uint32_t)id[3] << 24;
  const uint32_t rate = (uint32_t)id[5] | (uint32_t)id[6] << 8 | (uint32_t)id[7] << 16 | (uint32_t)id[8] << 24;
  const int small = id[21] & 0x0F, large = id[21] >> 4;
  if (version != 0 || rate == 0 || small < 6 || large > 13 || small > large || !(id[22] & 1))
    return "a damaged Vorbis identification header";
  if (id[4] != 1 && id[4] != 2) return "more than two channels";
  return nullptr;
}
