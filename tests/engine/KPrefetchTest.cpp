#include <gtest/gtest.h>

#include <ftw.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <future>
#include <string>
#include <vector>

#include "engine/KPrefetch.h"
#include "engine/KTextureReady.h"

namespace {

// An uncompressed 32-bit TGA of one grey.
void writeTga(const std::string &path, int w, int h) {
  unsigned char header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, (unsigned char)w, 0, (unsigned char)h, 0, 32, 8};
  std::string bytes((const char *)header, sizeof header);
  bytes.append((size_t)w * h * 4, (char)90);
  FILE *f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

class KPrefetchTest : public ::testing::Test {
protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tob_prefetch_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    folder = tmpl;
    for (const char *name : {"title", "map", "day1", "day2", "later"}) writeTga(file(name), 64, 32);
  }
  void TearDown() override {
    nftw(folder.c_str(), [](const char *p, const struct stat *, int, struct FTW *) { return std::remove(p); }, 8,
         FTW_DEPTH | FTW_PHYS);
  }

  std::string file(const std::string &name) const { return folder + "/" + name + ".tga"; }
  std::vector<KPrefetch::Job> jobs(std::initializer_list<const char *> names) const {
    std::vector<KPrefetch::Job> out;
    for (const char *n : names) out.push_back({file(n), true, {}});
    return out;
  }

  // next() with a ceiling only a hang reaches; empty then.
  static std::string nextOf(KPrefetch &workers, const std::vector<std::string> &among) {
    auto done = std::async(std::launch::async, [&] { return workers.next(among); });
    if (done.wait_for(std::chrono::seconds(60)) != std::future_status::ready) {
      workers.stop(); // lets the hung call return, so the test can end
      return "(no picture within 60 s)";
    }
    return done.get();
  }

  std::string folder;
};

// With a budget one picture already fills, what was decoded ahead for another level never holds
// up the pictures of the level being loaded, nor one first asked ahead and then wanted now.
TEST_F(KPrefetchTest, ALevelsOwnPicturesAreNeverHeldUpByThoseDecodedAhead) {
  KPrefetch workers(1, 1);
  workers.request(jobs({"title", "map", "later"}), KPrefetch::Need::Ahead);
  EXPECT_EQ(nextOf(workers, {file("title")}), file("title"));
  EXPECT_EQ(workers.waitingBytes(), 64u * 32u * 4u);

  workers.request(jobs({"day1", "day2", "map"}), KPrefetch::Need::Now);
  std::vector<std::string> level = {file("day1"), file("day2"), file("map")};
  for (int i = 0; i < 3; ++i) {
    std::string path = nextOf(workers, level);
    ASSERT_NE(std::find(level.begin(), level.end(), path), level.end()) << path;
    KTextureReady *ready = workers.take(path);
    ASSERT_NE(ready, nullptr) << path;
    EXPECT_EQ(ready->width, 64);
    EXPECT_EQ(ready->height, 32);
    delete ready;
    level.erase(std::find(level.begin(), level.end(), path));
  }

  // Once the picture decoded ahead is taken, the work ahead goes on.
  delete workers.take(file("title"));
  EXPECT_EQ(nextOf(workers, {file("later")}), file("later"));
  workers.stop();
  EXPECT_EQ(workers.waitingBytes(), 0u);
  EXPECT_EQ(workers.take(file("later")), nullptr);
}

// A wait for pictures has a limit: it ends when one is done or none is on its way, or else when
// the time is up.
TEST_F(KPrefetchTest, AWaitForPicturesEndsWhenOneIsDoneOrTheTimeIsUp) {
  KPrefetch workers(1, 1);
  workers.request(jobs({"title", "later"}), KPrefetch::Need::Ahead);
  EXPECT_EQ(nextOf(workers, {file("title")}), file("title"));
  // The budget is full: the picture decoded ahead waits until the first is taken.
  EXPECT_FALSE(workers.waitFor({file("later")}, 20));
  EXPECT_TRUE(workers.waitFor({file("map")}, 60000)) << "a picture never asked for is not waited for";
  delete workers.take(file("title"));
  EXPECT_TRUE(workers.waitFor({file("later")}, 60000));
  EXPECT_EQ(nextOf(workers, {file("later")}), file("later"));
  workers.stop();
}

} // namespace
