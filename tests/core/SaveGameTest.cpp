#include <cstdint>
#include <string>
#include <vector>

#include "support/HomeFixture.h"
#include "core/CPlayer.h"
#include "core/CSaveGame.h"

namespace {

std::string be16(uint16_t v) { return std::string{(char)(v >> 8), (char)v}; }
std::string be32(uint32_t v) { return std::string{(char)(v >> 24), (char)(v >> 16), (char)(v >> 8), (char)v}; }
std::string words(std::initializer_list<uint32_t> vs) {
  std::string s;
  for (uint32_t v : vs) s += be32(v);
  return s;
}

void fill(CPlayer &p) {
  p.addLevelDone(3, 1);
  p.addLevelDone(5, 0);
  p.addPerkLevel(4);
  p.addCelebritiesSeen(7);
  p.addCelebritiesSeen(7);
  p.setMoney(123456);
  p.setPohlavi(1);
  p.setPressureRemind(2);
  p.setVirusHint(3);
  p.setShopHint(4);
  p.setClownHint(5);
  p.setPerkBought(true);
  p.setPerkHint(9);
  p.getBasket().push_back({902, 2});
  p.getBasket().push_back({270, 0});
}

// The bytes of fill()'s record at levels 6 / 9, laid out by hand.
std::string filledBytes() {
  return be16(6) + be16(9) + words({2, 3, 1, 5, 0}) + words({1, 4}) + words({2, 7, 7}) +
         words({123456, 1, 2, 3, 4, 5, 1}) + words({2, 902, 2, 270, 0});
}

class SaveGameTest : public HomeTest {};

TEST_F(SaveGameTest, WritesTheExactBigEndianLayout) {
  CPlayer empty;
  CSaveGame save("0");
  ASSERT_TRUE(save.save(1, CSaveGame::kNoLevel, empty));
  EXPECT_EQ(readFile("hospital/0/save.dat"), be16(1) + be16(10000) + std::string(44, '\0'));

  CPlayer p;
  fill(p);
  ASSERT_TRUE(CSaveGame("2").save(6, 9, p));
  EXPECT_EQ(readFile("hospital/2/save.dat"), filledBytes());
  EXPECT_TRUE(CSaveGame("2").exists());
  EXPECT_FALSE(CSaveGame("3").exists());
}

TEST_F(SaveGameTest, ReadsEveryFieldBackIntoAFreshRecord) {
  CPlayer p;
  fill(p);
  ASSERT_TRUE(CSaveGame("0").save(6, 9, p));

  unsigned short cur = 0, max = 0;
  CSaveGame::Result r;
  CPlayer *back = CSaveGame("0").load(20, cur, max, &r);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(r, CSaveGame::OK);
  EXPECT_EQ(cur, 6);
  EXPECT_EQ(max, 9);
  ASSERT_EQ(back->getLevelsDone().size(), 2u);
  EXPECT_EQ(back->getLevelIndex(0), 3);
  EXPECT_EQ(back->getGoal(0), 1);
  EXPECT_EQ(back->getLevelIndex(1), 5);
  EXPECT_EQ(back->getPerkLevels(), std::vector<int32_t>({4}));
  EXPECT_EQ(back->getCelebritiesSeen(), std::vector<int32_t>({7, 7}));
  EXPECT_EQ(back->getMoney(), 123456);
  EXPECT_EQ(back->getPohlavi(), 1);
  EXPECT_EQ(back->getPressureRemind(), 2);
  EXPECT_EQ(back->getVirusHint(), 3);
  EXPECT_EQ(back->getShopHint(), 4);
  EXPECT_EQ(back->getClownHint(), 5);
  EXPECT_TRUE(back->getPerkBought());
  EXPECT_EQ(back->getPerkHint(), 0); // not part of the save
  ASSERT_EQ(back->getBasket().size(), 2u);
  EXPECT_EQ(back->getBasket()[1].entityID, 270u);
  EXPECT_EQ(back->basketContains(270), &back->getBasket()[1]);
  EXPECT_EQ(back->basketContains(902)->starIndex, 2u);
  EXPECT_EQ(back->starsOwned(902), 3);

  // A second load builds another fresh record rather than adding to the first.
  CPlayer *again = CSaveGame("0").load(20, cur, max);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->getCelebritiesSeen().size(), 2u);
  EXPECT_EQ(back->getCelebritiesSeen().size(), 2u);
  delete back;
  delete again;

  // The bank can never be negative in play: a saved one is read as 0.
  for (int32_t bank : {-5, INT32_MIN}) {
    CPlayer poor;
    poor.setMoney(bank);
    ASSERT_TRUE(CSaveGame("0").save(1, 1, poor));
    CPlayer *b = CSaveGame("0").load(2, cur, max);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->getMoney(), 0) << bank;
    delete b;
  }
}

TEST_F(SaveGameTest, DuplicatesInTheFileFollowTheRecordRules) {
  writeFile("hospital/0/save.dat", be16(2) + be16(2) + words({2, 4, 0, 4, 1}) + words({2, 8, 8}) + words({0}) +
                                       words({0, 0, 0, 0, 0, 0, 0}) + words({0}));
  unsigned short cur = 0, max = 0;
  CPlayer *p = CSaveGame("0").load(5, cur, max);
  ASSERT_NE(p, nullptr);
  ASSERT_EQ(p->getLevelsDone().size(), 1u);
  EXPECT_EQ(p->wasLevelDone(4), 1);
  EXPECT_EQ(p->getPerkLevels(), std::vector<int32_t>({8, 8}));
  delete p;
}

TEST_F(SaveGameTest, KeepsOnlyUpgradesWithStarsTheyHave) {
  // Not upgrades: an ID past 16 bits that would clone as entity 1, and the player figure.
  // Star indices past the last star, and a perk saved as 0xFFFFFFFF, are brought back in range;
  // an upgrade listed twice keeps one record.
  writeFile("hospital/0/save.dat", be16(1) + be16(1) + words({0}) + words({0}) + words({0}) +
                                       words({0, 0, 0, 0, 0, 0, 0}) +
                                       words({8, 0x10001, 1, 7, 0, 905, 9, 903, 2, 296, 0xFFFFFFFFu, 67, 1,
                                              903, 0, 67, 9}));
  unsigned short cur = 0, max = 0;
  CPlayer *p = CSaveGame("0").load(5, cur, max);
  ASSERT_NE(p, nullptr);
  ASSERT_EQ(p->getBasket().size(), 4u);
  EXPECT_EQ(p->basketContains(1), nullptr);
  EXPECT_EQ(p->basketContains(7), nullptr);
  EXPECT_EQ(p->starsOwned(905), 4) << "four stars at most";
  EXPECT_EQ(p->starsOwned(903), 3) << "kept as saved; a second record with fewer stars is dropped";
  EXPECT_EQ(p->starsOwned(296), 1) << "a perk is held once";
  EXPECT_EQ(p->starsOwned(67), 4) << "one record, its highest star index";

  ASSERT_TRUE(CSaveGame("0").save(1, 1, *p));
  const std::string bytes = readFile("hospital/0/save.dat");
  EXPECT_EQ(bytes.substr(bytes.size() - 36), words({4, 905, 3, 903, 2, 296, 0, 67, 3}));
  delete p;
}

TEST_F(SaveGameTest, RefusesAShortFileWhole) {
  const std::string full = filledBytes();
  for (size_t len = 0; len < full.size(); ++len) {
    writeFile("hospital/0/save.dat", full.substr(0, len));
    unsigned short cur = 77, max = 88;
    CSaveGame::Result r = CSaveGame::OK;
    testing::internal::CaptureStderr();
    CPlayer *p = CSaveGame("0").load(20, cur, max, &r);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(p, nullptr) << "length " << len;
    EXPECT_EQ(r, CSaveGame::TRUNCATED) << "length " << len;
    EXPECT_EQ(cur, 77);
    EXPECT_EQ(max, 88);
    EXPECT_NE(err.find("ends early"), std::string::npos) << err;
    delete p;
  }
  // A huge count in a short file is refused without trying to hold that many entries.
  // So is a count whose entries would fit but leave no room for what must follow them.
  unsigned short cur = 0, max = 0;
  for (const std::string &bytes : {be16(1) + be16(1) + words({0xFFFFFFFFu}),
                                   be16(1) + be16(1) + words({3, 1, 0, 2, 0, 3, 0, 0, 0, 0, 0})}) {
    writeFile("hospital/0/save.dat", bytes);
    testing::internal::CaptureStderr();
    EXPECT_EQ(CSaveGame("0").load(20, cur, max), nullptr);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("the count at byte 4 needs at least"), std::string::npos) << err;
  }
}

TEST_F(SaveGameTest, RefusesLevelsOutsideTheListAndAMissingFile) {
  CPlayer p;
  unsigned short cur = 1, max = 1;
  CSaveGame::Result r;
  testing::internal::CaptureStderr();
  EXPECT_EQ(CSaveGame("0").load(10, cur, max, &r), nullptr);
  EXPECT_EQ(r, CSaveGame::MISSING);

  ASSERT_TRUE(CSaveGame("0").save(10, 10, p));
  EXPECT_EQ(CSaveGame("0").load(10, cur, max, &r), nullptr);
  EXPECT_EQ(r, CSaveGame::BAD_LEVEL);
  ASSERT_TRUE(CSaveGame("0").save(3, 11, p));
  EXPECT_EQ(CSaveGame("0").load(10, cur, max, &r), nullptr);
  EXPECT_EQ(r, CSaveGame::BAD_LEVEL);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("outside the level list"), std::string::npos) << err;
  EXPECT_EQ(cur, 1);

  // The last entry with the list finished, and no furthest level at all, are both fine.
  for (unsigned short furthest : {(unsigned short)10, CSaveGame::kNoLevel}) {
    ASSERT_TRUE(CSaveGame("0").save(9, furthest, p));
    CPlayer *ok = CSaveGame("0").load(10, cur, max);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(max, furthest);
    delete ok;
  }
}

TEST_F(SaveGameTest, AWriteIntoAMissingFolderIsReported) {
  CPlayer p;
  testing::internal::CaptureStderr();
  EXPECT_FALSE(CSaveGame("9").save(1, 1, p)); // no such slot folder
  EXPECT_NE(testing::internal::GetCapturedStderr().find("save.dat"), std::string::npos);
}

} // namespace
