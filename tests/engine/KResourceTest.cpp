#include "engine/KMiscTools.h"
#include "engine/KResource.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

typedef std::vector<unsigned char> Bytes;

Bytes pattern(size_t n, unsigned seed) {
  Bytes b(n);
  for (size_t i = 0; i < n; ++i) b[i] = (unsigned char)((i * 7 + seed) & 0xFF);
  return b;
}

void writeFile(const std::string &path, const Bytes &data) {
  FILE *f = std::fopen(path.c_str(), "wb");
  ASSERT_TRUE(f) << path;
  if (!data.empty()) std::fwrite(data.data(), 1, data.size(), f);
  std::fclose(f);
}

struct TarMember {
  std::string name;
  char type;
  Bytes data;
};

// A plain ustar archive: header blocks, data padded to 512, two zero blocks at the end.
Bytes makeTar(const std::vector<TarMember> &members) {
  Bytes out;
  for (const TarMember &m : members) {
    unsigned char h[512] = {0};
    std::snprintf((char *)h, 100, "%s", m.name.c_str());
    std::snprintf((char *)h + 100, 8, "%07o", 0644);
    std::snprintf((char *)h + 108, 8, "%07o", 0);
    std::snprintf((char *)h + 116, 8, "%07o", 0);
    std::snprintf((char *)h + 124, 12, "%011o", (unsigned)m.data.size());
    std::snprintf((char *)h + 136, 12, "%011o", 0);
    h[156] = (unsigned char)m.type;
    std::memcpy(h + 257, "ustar", 6);
    std::memcpy(h + 263, "00", 2);
    std::memset(h + 148, ' ', 8);
    unsigned sum = 0;
    for (unsigned char c : h) sum += c;
    std::snprintf((char *)h + 148, 8, "%06o", sum);
    out.insert(out.end(), h, h + 512);
    out.insert(out.end(), m.data.begin(), m.data.end());
    out.resize((out.size() + 511) / 512 * 512, 0);
  }
  out.resize(out.size() + 1024, 0);
  return out;
}

class KResourceTest : public ::testing::Test {
protected:
  void SetUp() override {
    KResource::removeAllArchives();
    char tmpl[] = "/tmp/KResTest.XXXXXX";
    ASSERT_TRUE(mkdtemp(tmpl));
    root = tmpl;
    // The install folder has capitals of its own, which must survive the lower-casing.
    app = root + "/MyGame";
    mkdir(app.c_str(), 0777);
    mkdir((app + "/data").c_str(), 0777);
    mkdir((app + "/data/gfx").c_str(), 0777);
    KMiscTools::setApplicationFolder(app.c_str());
  }
  void TearDown() override {
    KResource::removeAllArchives();
    std::string cmd = "rm -rf '" + root + "'";
    if (std::system(cmd.c_str()) != 0) ADD_FAILURE() << "cleanup failed";
  }
  std::string root, app;
};

TEST_F(KResourceTest, PlainFileCodesSeekTellAndRead) {
  Bytes data = pattern(1000, 3);
  writeFile(app + "/data/plain.bin", data);
  KResource r;
  int pos = -1;
  unsigned char buf[16];
  EXPECT_EQ(K_RES_STATE, r.read(buf, 4));
  EXPECT_EQ(K_RES_STATE, r.seek(K_RES_BEGIN, 0));
  EXPECT_EQ(K_RES_STATE, r.tell(pos));
  EXPECT_EQ(K_RES_BADARG, r.open((app + "/data/plain.bin").c_str(), 999));
  EXPECT_EQ(K_RES_NOTFOUND, r.open((app + "/data/missing.bin").c_str(), K_RES_READ));

  ASSERT_EQ(K_RES_OK, r.open((app + "/data/plain.bin").c_str(), K_RES_READ));
  EXPECT_EQ(K_RES_STATE, r.open((app + "/data/plain.bin").c_str(), K_RES_READ));
  EXPECT_EQ(K_RES_OK, r.seek(K_RES_END, 0));
  ASSERT_EQ(K_RES_OK, r.tell(pos));
  EXPECT_EQ(1000, pos);
  r.seek(K_RES_END, -10);
  r.tell(pos);
  EXPECT_EQ(990, pos);
  EXPECT_EQ(K_RES_BADARG, r.seek(3, 0));
  EXPECT_EQ(K_RES_NODATA, r.read(buf, 0));

  r.seek(K_RES_BEGIN, 100);
  ASSERT_EQ(K_RES_OK, r.read(buf, 4));
  EXPECT_EQ(0, std::memcmp(buf, &data[100], 4));
  r.seek(K_RES_CURRENT, 10);
  r.tell(pos);
  EXPECT_EQ(114, pos);

  // A short read keeps what came.
  std::memset(buf, 0xEE, sizeof(buf));
  r.seek(K_RES_END, -3);
  EXPECT_EQ(K_RES_NODATA, r.read(buf, 8));
  EXPECT_EQ(0, std::memcmp(buf, &data[997], 3));

  r.close();
  r.close();
  EXPECT_EQ(K_RES_STATE, r.read(buf, 1));
  EXPECT_EQ(K_RES_OK, r.open((app + "/data/plain.bin").c_str(), K_RES_READ));
}

TEST_F(KResourceTest, NamesBelowTheApplicationFolderAreLowerCased) {
  writeFile(app + "/data/gfx/bonusfont.png", pattern(10, 1));
  std::string name = app + "/data/gfx/bonusFont.PNG";
  std::string mixed = app + "/DATA/gfx/BonusFont.png";
  std::string keep = name;
  KResource r;
  EXPECT_EQ(K_RES_OK, r.open(name.c_str(), K_RES_READ));
  EXPECT_EQ(keep, name) << "the caller's text must not change";
  r.close();
  EXPECT_EQ(K_RES_OK, r.open(mixed.c_str(), K_RES_READ));
  r.close();
  // The install folder itself is not lower-cased (it would not be found here).
  std::string lowerApp = root + "/mygame/data/gfx/bonusfont.png";
  EXPECT_EQ(K_RES_NOTFOUND, r.open(lowerApp.c_str(), K_RES_READ));
  // A file stored with capitals is still found by its exact name.
  writeFile(app + "/data/Exact.TXT", pattern(5, 2));
  EXPECT_EQ(K_RES_OK, r.open((app + "/data/Exact.TXT").c_str(), K_RES_READ));
}

TEST_F(KResourceTest, ArchiveFirstThenFileSystem) {
  Bytes a = pattern(513, 10), b = pattern(40, 20), folderTwin = pattern(30, 40);
  writeFile(app + "/pack.tar", makeTar({{"data/gfx/a.bin", '0', a},
                                        {"data/b.bin", '5', folderTwin},
                                        {"data/b.bin", 0, b}}));
  // Same names on disk with other contents: the archive must win.
  writeFile(app + "/data/gfx/a.bin", pattern(7, 99));
  writeFile(app + "/data/only_on_disk.bin", pattern(9, 50));

  EXPECT_EQ(K_RES_NOTFOUND, KResource::addArchive((app + "/nothere.tar").c_str()));
  EXPECT_EQ(0u, KResource::_lArchives.getCount());
  ASSERT_EQ(K_RES_OK, KResource::addArchive((app + "/pack.tar").c_str()));
  EXPECT_EQ(1u, KResource::_lArchives.getCount());

  KResource r;
  int pos = -1;
  ASSERT_EQ(K_RES_OK, r.open((app + "/data/GFX/a.bin").c_str(), K_RES_READ));
  EXPECT_EQ(1, r.borrowed);
  r.tell(pos);
  EXPECT_EQ(0, pos);
  r.seek(K_RES_END, 0);
  r.tell(pos);
  EXPECT_EQ(513, pos);
  r.seek(K_RES_END, 10); // members count back from their end
  r.tell(pos);
  EXPECT_EQ(503, pos);
  Bytes got(513);
  r.seek(K_RES_BEGIN, 0);
  ASSERT_EQ(K_RES_OK, r.read(got.data(), got.size()));
  EXPECT_EQ(a, got);
  // Reading past a member's end stops at its end instead of running into the next header.
  unsigned char tail[64];
  std::memset(tail, 0xEE, sizeof(tail));
  r.seek(K_RES_END, 3);
  EXPECT_EQ(K_RES_NODATA, r.read(tail, sizeof(tail)));
  EXPECT_EQ(0, std::memcmp(tail, &a[510], 3));
  EXPECT_EQ(0xEE, tail[3]);
  r.close();

  // The folder entry of the same name is skipped; the member after the 513-byte one is found.
  ASSERT_EQ(K_RES_OK, r.open((app + "/data/b.bin").c_str(), K_RES_READ));
  got.assign(40, 0);
  ASSERT_EQ(K_RES_OK, r.read(got.data(), 40));
  EXPECT_EQ(b, got);
  r.close();

  // Not in the archive: the file system answers.
  ASSERT_EQ(K_RES_OK, r.open((app + "/data/only_on_disk.bin").c_str(), K_RES_READ));
  EXPECT_EQ(0, r.borrowed);
  r.close();
  EXPECT_EQ(K_RES_NOTFOUND, r.open((app + "/data/nowhere.bin").c_str(), K_RES_READ));

  // A plain resource cannot open members.
  KResource plain;
  EXPECT_EQ(K_RES_STATE, plain.openResource("data/b.bin", &r));
}

TEST_F(KResourceTest, ArchiveInsideAnArchive) {
  Bytes inner = makeTar({{"data/deep.bin", '0', pattern(100, 5)}});
  writeFile(app + "/outer.tar", makeTar({{"pad.bin", '0', pattern(700, 1)}, {"inner.tar", '0', inner}}));
  ASSERT_EQ(K_RES_OK, KResource::addArchive((app + "/outer.tar").c_str()));
  ASSERT_EQ(K_RES_OK, KResource::addArchive((app + "/inner.tar").c_str()));
  KResource r;
  ASSERT_EQ(K_RES_OK, r.open((app + "/data/deep.bin").c_str(), K_RES_READ));
  Bytes got(100);
  ASSERT_EQ(K_RES_OK, r.read(got.data(), got.size()));
  EXPECT_EQ(pattern(100, 5), got);
}

TEST_F(KResourceTest, BrokenArchivesFailSafely) {
  Bytes good = makeTar({{"data/x.bin", '0', pattern(600, 1)}, {"data/y.bin", '0', pattern(10, 2)}});
  Bytes cut(good.begin(), good.begin() + 700); // ends inside the first member's data
  writeFile(app + "/cut.tar", cut);
  Bytes garbage(5000);
  srand(7);
  for (auto &c : garbage) c = (unsigned char)(rand() & 0xFF);
  writeFile(app + "/garbage.tar", garbage);
  Bytes hugeSize = makeTar({{"data/big.bin", '0', pattern(10, 1)}});
  std::memcpy(&hugeSize[124], "77777777777", 11);
  writeFile(app + "/huge.tar", hugeSize);
  writeFile(app + "/empty.tar", Bytes());
  writeFile(app + "/data/y.bin", pattern(3, 3));

  for (const char *t : {"/cut.tar", "/garbage.tar", "/huge.tar", "/empty.tar"})
    ASSERT_EQ(K_RES_OK, KResource::addArchive((app + t).c_str())) << t;

  KResource r;
  // Each broken archive answers "not here"; the file system still serves the name.
  ASSERT_EQ(K_RES_OK, r.open((app + "/data/y.bin").c_str(), K_RES_READ));
  EXPECT_EQ(0, r.borrowed);
  r.close();
  EXPECT_EQ(K_RES_NOTFOUND, r.open((app + "/data/zzz.bin").c_str(), K_RES_READ));

  // A member whose data was cut off opens, but reading it all reports the shortfall.
  ASSERT_EQ(K_RES_OK, r.open((app + "/data/x.bin").c_str(), K_RES_READ));
  Bytes got(600);
  EXPECT_EQ(K_RES_NODATA, r.read(got.data(), got.size()));
  r.close();

  KResourceArchive lone;
  KResource into;
  EXPECT_EQ(K_RES_STATE, lone.openResource("data/x.bin", &into));
  ASSERT_EQ(K_RES_OK, lone.open((app + "/cut.tar").c_str()));
  EXPECT_EQ(K_RES_NODATA, lone.openResource("data/none.bin", &into));
  ASSERT_EQ(K_RES_OK, lone.openResource("data\\x.bin", &into));
  EXPECT_EQ(K_RES_STATE, into.open(&lone, 5)) << "already open";
}

TEST(KListTest, LinksCountsAndCopies) {
  KResource a, b, c;
  {
    KList<KResource> list;
    EXPECT_EQ(nullptr, list.getHead());
    list.addToTail(&a);
    list.addToTail(&b);
    list.addToTail(&c);
    EXPECT_EQ(3u, list.getCount());
    EXPECT_EQ(&a, list.getHead());
    EXPECT_EQ(&b, list.getNext(&a));
    EXPECT_EQ(nullptr, list.getNext(&c));
    EXPECT_EQ(&list, c.next);
    EXPECT_EQ(&list, a.previous);
    list.remove(&b);
    EXPECT_EQ(2u, list.getCount());
    EXPECT_EQ(&c, list.getNext(&a));
    EXPECT_EQ(nullptr, b.next);
    // Copies of a listed object are not in the list.
    KObjectListable copy(a);
    EXPECT_EQ(nullptr, copy.next);
    KObjectListable assigned;
    assigned = a;
    EXPECT_EQ(nullptr, assigned.previous);
  }
  // The list let go of its elements without deleting them.
  EXPECT_EQ(nullptr, a.next);
  EXPECT_EQ(nullptr, c.previous);
}

} // namespace
