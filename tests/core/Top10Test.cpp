#include <cstdint>
#include <string>

#include "support/HomeFixture.h"
#include "core/CTop10.h"

namespace {

std::string be32(uint32_t v) { return std::string{(char)(v >> 24), (char)(v >> 16), (char)(v >> 8), (char)v}; }
std::string record(const std::string &name, uint32_t score) {
  std::string r = name;
  r.resize(52, '\0');
  return r + be32(score);
}

class Top10Test : public HomeTest {};

TEST_F(Top10Test, CreatesTheDefaultTable) {
  CTop10 t;
  t.nahraj(path("hospital/top10.bin"));
  std::string expected = be32(10);
  for (uint32_t s : {100000u, 80000u, 50000u, 30000u, 20000u, 15000u, 10000u, 6000u, 3000u, 1500u})
    expected += record("DR", s);
  EXPECT_EQ(readFile("hospital/top10.bin"), expected);
  EXPECT_EQ(expected.size(), 564u);
  EXPECT_EQ(readFile("hospital/top10.bin").substr(56, 4), std::string("\x00\x01\x86\xA0", 4));

  ASSERT_EQ(t.getHraci().size(), 10u);
  EXPECT_EQ(t.getHraci()[0].getName(), "DR");
  EXPECT_EQ(t.getHraci()[0].score, 100000u);
  EXPECT_EQ(t.getHraci()[9].score, 1500u);
  CTop10 again;
  again.nahraj(path("hospital/top10.bin"));
  EXPECT_EQ(CTop10::encode(again.getHraci()), expected);
}

TEST_F(Top10Test, ShortAndOddFiles) {
  CTop10 t;
  writeFile("hospital/top10.bin", be32(0) + record("X", 1));
  t.nahraj(path("hospital/top10.bin"));
  EXPECT_TRUE(t.getHraci().empty());

  // The count promises three; the third record is cut short and dropped.
  writeFile("hospital/top10.bin", be32(3) + record("A", 5) + record(std::string(52, 'N'), 7) + std::string(30, 'z'));
  t.nahraj(path("hospital/top10.bin"));
  ASSERT_EQ(t.getHraci().size(), 2u);
  EXPECT_EQ(t.getHraci()[1].getName(), std::string(52, 'N'));
  EXPECT_EQ(t.getHraci()[1].score, 7u);
}

TEST_F(Top10Test, ATableThatCannotBeCreatedIsFatal) {
  EXPECT_EXIT(CTop10().nahraj(path("missing/top10.bin")), testing::ExitedWithCode(255),
              "Can't open top 10 file .*/missing/top10.bin: it is missing and cannot be created: the folder is missing");
  // A folder of that name is no table, and is not taken for a missing one.
  ASSERT_EQ(mkdir(path("hospital/top10.bin").c_str(), 0777), 0);
  EXPECT_EXIT(CTop10().nahraj(path("hospital/top10.bin")), testing::ExitedWithCode(255),
              "Can't open top 10 file .*/hospital/top10.bin: it is a folder, not a file");
}

} // namespace
