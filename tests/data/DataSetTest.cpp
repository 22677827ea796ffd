#include <gtest/gtest.h>

#include <tinyxml.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/KFont.h"
#include "media/ZSpriteFactory.h"

namespace {

const std::string kData = std::string(TOB_BINARY_DIR) + "/data/";

std::string lower(std::string s) {
  for (char &c : s) c = (char)std::tolower((unsigned char)c);
  return s;
}

std::string capitalised(const std::string &key) {
  std::string out;
  bool start = true;
  for (char c : key) {
    out += start ? (char)std::toupper((unsigned char)c) : (char)std::tolower((unsigned char)c);
    start = c == '_';
  }
  return out;
}

struct SoundEntry {
  std::string key;
  std::string file;
};

// The game's sound registrations, written out from the naming rules, independently of the
// generator's catalogue.
std::vector<SoundEntry> soundTable() {
  std::vector<SoundEntry> t;
  auto lowerRule = [&](const std::string &key) { t.push_back({key, lower(key) + ".ogg"}); };
  for (const char *k : {"CURED", "AIRPLANE", "ILL", "EXIT", "THROW", "TAKESHEETS", "RECOLOR", "NEWUPGRADE",
                        "MEDSREADY", "DRINKDONE", "VIRUSALERT", "SPRAYVIRUS", "LEVELCLOSED", "SPEEDY", "CHAIN2",
                        "CHAIN3", "CHAIN4", "CLICK", "KIDSLAUGH", "COLLECT", "NONO", "JASPERAPPEARS", "JASPERFUNNY",
                        "PRESSUREMAX", "LEVELDONE", "COUGH", "VIRUSSPAWN", "NEWPATIENT", "PHOTOFLASH", "PHOTOCLICK"})
    lowerRule(k);
  for (SoundEntry &e : t) {
    if (e.key == "AIRPLANE") e.file = "Airplane.ogg";
    if (e.key == "PHOTOFLASH") e.file = "flash.ogg";
  }

  const std::vector<std::string> species = {"BEAR",   "CAT",   "COW",    "HAY",   "HIVES", "IRIS",  "LEPER",
                                            "NAPOL",  "PEAR",  "PELVIS", "POLKA", "SHING", "SHRUNK", "SIDEB",
                                            "SQUIR",  "SWIM",  "BABOON", "CHICK", "ELEPHANT", "GOOSE", "HORSE"};
  const std::map<std::string, std::set<std::string>> sharesFile = {
      {"EXITANGRY", {"SHING", "SHRUNK", "BABOON", "CHICK", "ELEPHANT", "GOOSE", "HORSE"}},
      {"EXITHAPPY", {"BEAR", "LEPER", "SHRUNK"}},
      {"PANIC", {"BEAR", "COW", "HIVES", "SHING", "BABOON", "CHICK", "ELEPHANT", "GOOSE", "HORSE"}},
      {"MEDS", {"HIVES", "SHRUNK"}}};
  auto reaction = [&](const std::string &r, const std::string &s, int n) {
    std::string sp = lower(s);
    if (s == "ELEPHANT" && (r == "EXITHAPPY" || r == "MEDS")) sp = "eleph";
    bool alt = n == 2 && !sharesFile.at(r).count(s);
    if (r == "EXITANGRY" && s == "IRIS") alt = true;
    t.push_back({r + "_" + s + std::to_string(n), "customer_" + lower(r) + "_" + sp + (alt ? "_alt" : "") + ".ogg"});
  };
  for (const std::string &s : species) {
    for (int n = 1; n <= 2; ++n) {
      if (s == "GOOSE" && n == 2) break;
      reaction("EXITANGRY", s, n);
    }
    if (s == "GOOSE") break;
  }
  lowerRule("CROWD_MEDIUM");
  lowerRule("CROWD_SMALL");
  reaction("EXITANGRY", "GOOSE", 2);
  reaction("EXITANGRY", "HORSE", 1);
  reaction("EXITANGRY", "HORSE", 2);
  for (const char *r : {"EXITHAPPY", "PANIC", "MEDS"})
    for (const std::string &s : species)
      for (int n = 1; n <= 2; ++n) reaction(r, s, n);
  for (const char *k : {"CITY1", "CITY2", "CUSTOMER_ESCAPES", "CUSTOMER_ESCAPES_ALT", "CUSTOMER_RUNS",
                        "CUSTOMER_RUNS_ALT"})
    lowerRule(k);
  const std::vector<SoundEntry> own = {
      {"FEMALE_YUCK2", "customer_female_yuck2.ogg"},        {"MALE_YUCK2", "customer_male_yuck_2.ogg"},
      {"CHILD_YUCK2", "customer_child_yuck2.ogg"},          {"FEMALE_YUCK2B", "customer_female_yuck2_alt.ogg"},
      {"MALE_YUCK2B", "customer_male_yuck_2_alt.ogg"},      {"CHILD_YUCK2B", "customer_child_yuck2_alt.ogg"},
      {"FEMALE_YUCK", "customer_female_yuck_alt.ogg"},      {"MALE_YUCK", "customer_male_yuck_alt.ogg"},
      {"CHILD_YUCK", "customer_child_yuck_alt.ogg"},        {"CHILD_SLEEP1", "customer_child_sleep.ogg"},
      {"CHILD_SLEEP2", "customer_child_sleep_alt.ogg"},     {"MALE_SLEEP1", "customer_male_sleep.ogg"},
      {"MALE_SLEEP2", "customer_male_sleep_alt.ogg"},       {"FEMALE_SLEEP1", "customer_female_sleep.ogg"},
      {"FEMALE_SLEEP2", "customer_female_sleep_alt.ogg"}};
  t.insert(t.end(), own.begin(), own.end());
  lowerRule("BAND_PLAYS");
  for (const char *k :
       {"DOCTOR_DELIVERS_PRESCRIPTS", "ACTIVATE_BUTTON", "BANANA_DELIVER", "BANANA_PICKUP", "BAND_READY",
        "BED_BREAKS", "BED_FIXED", "BED_REPAIRMAN", "BOOK_DELIVER", "BOOK_PICKUP", "CLICK_BUTTON", "DR_DUMP_HAMPER",
        "DR_MAKES_BED", "DR_USES_STETHOSCOPE", "DRINK_DELIVER", "DRINK_PICKUP", "EXPERT", "GOAL", "LEVEL_BAD",
        "LEVEL_GOOD", "LEVEL_NORMAL", "MAP_DOT", "MONKEY_APPEARS", "MONKEY_DEFEATED", "PANEL_APPEAR",
        "PANEL_DISAPPEAR", "PARENTS_APPEAR", "PARENTS_VISIT", "PERK_ACTIVATE", "PHARMACY_PLACE", "PHARMACY_SEARCH",
        "PHARMACY_TAKE", "SPRAY_PICKUP", "SPRAY_USE", "SWITCH_SCREEN", "TOY_DELIVER", "TOY_PICKUP", "VIRUS_ALARM",
        "CUSTOMER_CUFF_GOOD", "CUSTOMER_CUFF_BAD", "CUSTOMER_APPEAR"})
    t.push_back({k, capitalised(k) + ".ogg"});
  return t;
}

const std::vector<std::string> kMusic = {"music_general.ogg", "music_kids.ogg", "music_jungle.ogg",
                                         "music_asylum.ogg",  "music_menu.ogg", "music_map.ogg"};

struct Decoded {
  bool ok = false;
  int channels = 0;
  long rate = 0;
  double seconds = 0;
  int peak = 0;
};

Decoded decodeOgg(const std::string &path) {
  Decoded d;
  OggVorbis_File vf;
  if (ov_fopen(path.c_str(), &vf) != 0) return d;
  vorbis_info *info = ov_info(&vf, -1);
  d.channels = info ? info->channels : 0;
  d.rate = info ? info->rate : 0;
  char buf[8192];
  long frames = 0;
  int section = 0;
  long got;
  while ((got = ov_read(&vf, buf, sizeof buf, 0, 2, 1, &section)) > 0) {
    const int16_t *s = reinterpret_cast<const int16_t *>(buf);
    for (long i = 0; i < got / 2; ++i) d.peak = std::max(d.peak, std::abs((int)s[i]));
    frames += got / 2 / std::max(1, d.channels);
  }
  ov_clear(&vf);
  d.ok = got == 0 && d.channels > 0 && d.rate > 0;
  d.seconds = d.rate ? (double)frames / d.rate : 0;
  return d;
}

std::vector<std::string> listFolder(const std::string &folder) {
  std::vector<std::string> names;
  if (DIR *dir = opendir(folder.c_str())) {
    while (dirent *e = readdir(dir))
      if (e->d_name[0] != '.') names.push_back(e->d_name);
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<unsigned char> readFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Width and height from the file header of a PNG, JPEG or uncompressed/RLE TGA; 0 x 0 when
// the file is missing or not recognised.
std::pair<int, int> pictureSize(const std::string &path) {
  std::vector<unsigned char> b = readFile(path);
  if (b.size() > 24 && b[0] == 0x89 && b[1] == 'P' && b[2] == 'N' && b[3] == 'G')
    return {(b[16] << 24) | (b[17] << 16) | (b[18] << 8) | b[19], (b[20] << 24) | (b[21] << 16) | (b[22] << 8) | b[23]};
  if (b.size() > 4 && b[0] == 0xFF && b[1] == 0xD8) {
    size_t i = 2;
    while (i + 9 < b.size() && b[i] == 0xFF) {
      unsigned char m = b[i + 1];
      size_t len = (b[i + 2] << 8) | b[i + 3];
      if (m >= 0xC0 && m <= 0xC3) return {(b[i + 7] << 8) | b[i + 8], (b[i + 5] << 8) | b[i + 6]};
      i += 2 + len;
    }
    return {0, 0};
  }
  if (b.size() > 18 && (b[2] == 2 || b[2] == 10)) return {b[12] | (b[13] << 8), b[14] | (b[15] << 8)};
  return {0, 0};
}

std::vector<KFont> records(const KFont *table) {
  std::vector<KFont> out;
  for (; table->c != 0; ++table) out.push_back(*table);
  return out;
}

}  // namespace

TEST(DataSetTest, SoundTableHas263UniqueKeys) {
  std::vector<SoundEntry> t = soundTable();
  EXPECT_EQ(t.size(), 263u);
  std::set<std::string> keys;
  for (const SoundEntry &e : t) EXPECT_TRUE(keys.insert(e.key).second) << "key twice: " << e.key;
  // Spot checks of the naming exceptions.
  std::map<std::string, std::string> byKey;
  for (const SoundEntry &e : t) byKey[e.key] = e.file;
  EXPECT_EQ(byKey["EXITANGRY_IRIS1"], "customer_exitangry_iris_alt.ogg");
  EXPECT_EQ(byKey["EXITHAPPY_ELEPHANT2"], "customer_exithappy_eleph_alt.ogg");
  EXPECT_EQ(byKey["PANIC_ELEPHANT2"], "customer_panic_elephant.ogg");
  EXPECT_EQ(byKey["BED_BREAKS"], "Bed_Breaks.ogg");
  EXPECT_EQ(byKey["MEDS_HIVES2"], "customer_meds_hives.ogg");
}

TEST(DataSetTest, EverySoundFileExistsAndDecodes) {
  std::set<std::string> files;
  for (const SoundEntry &e : soundTable()) files.insert(e.file);
  for (const std::string &f : files) {
    Decoded d = decodeOgg(kData + "sfx/" + f);
    ASSERT_TRUE(d.ok) << "sound does not decode: data/sfx/" << f;
    EXPECT_GT(d.seconds, 0.03) << f;
    EXPECT_LT(d.seconds, 8.0) << f;
    EXPECT_GT(d.peak, 3000) << "nearly silent: " << f;
  }
}

TEST(DataSetTest, MusicLoopsDecodeAndLastSeveralSeconds) {
  for (const std::string &f : kMusic) {
    Decoded d = decodeOgg(kData + "sfx/" + f);
    ASSERT_TRUE(d.ok) << "music does not decode: data/sfx/" << f;
    EXPECT_GE(d.seconds, 8.0) << f;
    EXPECT_LE(d.seconds, 60.0) << f;
    EXPECT_GT(d.peak, 8000) << f;
  }
}

TEST(DataSetTest, NoSoundFileOutsideTheTable) {
  // A file the game never names is a misspelt catalogue entry.
  std::set<std::string> named(kMusic.begin(), kMusic.end());
  for (const SoundEntry &e : soundTable()) named.insert(e.file);
  for (const std::string &f : listFolder(kData + "sfx")) EXPECT_TRUE(named.count(f)) << "unused sound: " << f;
}

namespace {

struct FontCase {
  const char *picture;
  KFont *table;
  size_t count;
  KFont first;
  KFont space;
  int advanceExtra;  // advance = x2 - x1 + advanceExtra
};

const FontCase kFonts[] = {
    {"font1big.png", bigFontTable, 95, {'!', 0, 0, 12, 31, 12, 31}, {' ', 284, 96, 291, 127, 7, 31}, 0},
    {"font1small.png", smallFontTable, 95, {'!', 0, 0, 6, 35, 6, 35}, {' ', 173, 72, 184, 107, 11, 35}, 0},
    {"smallfont.tga", small2FontTable, 95, {'6', 195, 7, 201, 17, 7, 11}, {' ', 0, 0, 0, 0, 4, 10}, 1},
    {"bedfont.png", bedFontTable, 11, {'1', 8, 11, 12, 25, 5, 15}, {' ', 224, 88, 229, 109, 5, 21}, 1},
    {"bonusfont.png", bonusFontTable, 95, {'!', 8, 9, 14, 27, 7, 19}, {' ', 430, 48, 436, 71, 14, 23}, 1},
    {"gamefont.tga", gameFontTable, 95, {'#', 21, 5, 31, 14, 11, 10}, {' ', 0, 0, 0, 0, 8, 26}, 1},
};

bool sameRecord(const KFont &a, const KFont &b) {
  return a.c == b.c && a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2 && a.advance == b.advance &&
         a.height == b.height;
}

}  // namespace

TEST(DataSetTest, GlyphTablesFollowTheirRecordRules) {
  for (const FontCase &fc : kFonts) {
    SCOPED_TRACE(fc.picture);
    std::vector<KFont> r = records(fc.table);
    ASSERT_EQ(r.size(), fc.count);
    EXPECT_TRUE(sameRecord(r.front(), fc.first));
    EXPECT_TRUE(sameRecord(r.back(), fc.space));
    std::set<int> seen;
    for (const KFont &g : r) {
      EXPECT_TRUE(seen.insert(g.c).second) << "character twice: " << g.c;
      if (g.c != ' ') {
        EXPECT_EQ(g.advance, g.x2 - g.x1 + fc.advanceExtra) << "advance of " << g.c;
      }
    }
    if (fc.count == 95) {
      for (int c = '!'; c <= '~'; ++c) EXPECT_TRUE(seen.count(c)) << "missing " << (char)c;
    } else {
      for (int c = '0'; c <= '9'; ++c) EXPECT_TRUE(seen.count(c)) << "missing " << (char)c;
    }
  }
  std::vector<KFont> small2 = records(small2FontTable), bonus = records(bonusFontTable),
                     game = records(gameFontTable);
  EXPECT_EQ(small2[small2.size() - 2].c, '=');
  EXPECT_EQ(bonus[bonus.size() - 2].c, 'z');
  EXPECT_EQ(game[game.size() - 2].c, '?');
}

TEST(DataSetTest, FontPicturesHoldEveryGlyphRectangle) {
  for (const FontCase &fc : kFonts) {
    SCOPED_TRACE(fc.picture);
    std::pair<int, int> size = pictureSize(kData + "gfx/" + fc.picture);
    ASSERT_GT(size.first, 0) << "missing or unreadable picture";
    for (const KFont &g : records(fc.table)) {
      EXPECT_TRUE(g.x1 >= 0 && g.y1 >= 0 && g.x1 <= g.x2 && g.y1 <= g.y2) << g.c;
      EXPECT_TRUE(g.x2 < size.first && g.y2 < size.second && g.x2 < 512 && g.y2 < 512) << g.c;
    }
  }
}

TEST(DataSetTest, StartUpPicturesExistWithTheirSizes) {
  struct Pic {
    const char *name;
    int w, h;
  };
  // Frames are cut from these pictures at fixed places, so each must be at least that big.
  const Pic pics[] = {{"publisher_logo_screen.jpg", 800, 600}, {"dev_logo.jpg", 800, 600},
                      {"loading.jpg", 800, 600},               {"loadinglogo.png", 334, 180},
                      {"loadinglogofill.png", 251, 180},       {"characters.png", 976, 658}};
  for (const Pic &p : pics) {
    std::pair<int, int> size = pictureSize(kData + "gfx/" + p.name);
    EXPECT_GE(size.first, p.w) << p.name;
    EXPECT_GE(size.second, p.h) << p.name;
  }
}

TEST(DataSetTest, PictureFileNamesAreLowerCase) {
  // Pictures are opened by their lower-cased path, so a capital in a file name hides it.
  std::vector<std::string> names = listFolder(kData + "gfx");
  ASSERT_FALSE(names.empty());
  for (const std::string &n : names) {
    if (n.size() > 4 && n.compare(n.size() - 4, 4, ".xml") != 0) {
      EXPECT_EQ(n, lower(n));
    }
  }
}

TEST(DataSetTest, SpriteCollectionFramesLieInTheirPictures) {
  TiXmlDocument doc((kData + "gfx/sprites.xml").c_str());
  ASSERT_TRUE(doc.LoadFile()) << "data/gfx/sprites.xml missing or not well formed";
  TiXmlElement *root = doc.FirstChildElement("kolekce");
  ASSERT_NE(root, nullptr);
  std::map<std::string, std::set<std::string>> framesets;
  const char *required[] = {"name", "x", "y", "w", "h", "delay", "bX", "bY", "bW", "bH"};
  for (TiXmlElement *s = root->FirstChildElement("sprite"); s; s = s->NextSiblingElement("sprite")) {
    ASSERT_TRUE(s->Attribute("name") && s->Attribute("src"));
    std::string name = s->Attribute("name");
    SCOPED_TRACE(name);
    std::pair<int, int> size = pictureSize(kData + "gfx/" + s->Attribute("src"));
    ASSERT_GT(size.first, 0) << "picture " << s->Attribute("src");
    for (TiXmlElement *fs = s->FirstChildElement("frameset"); fs; fs = fs->NextSiblingElement("frameset")) {
      ASSERT_TRUE(fs->Attribute("name"));
      framesets[name].insert(fs->Attribute("name"));
      int frames = 0;
      for (TiXmlElement *f = fs->FirstChildElement("frameB"); f; f = f->NextSiblingElement("frameB"), ++frames) {
        for (const char *a : required) ASSERT_TRUE(f->Attribute(a)) << a;
        int x = std::atoi(f->Attribute("x")), y = std::atoi(f->Attribute("y"));
        int w = std::atoi(f->Attribute("w")), h = std::atoi(f->Attribute("h"));
        EXPECT_TRUE(x >= 0 && y >= 0 && w > 0 && h > 0 && x + w <= size.first && y + h <= size.second)
            << fs->Attribute("name") << " " << f->Attribute("name");
      }
      EXPECT_GT(frames, 0) << "frameset without frames: " << fs->Attribute("name");
    }
    EXPECT_FALSE(framesets[name].empty()) << "sprite without framesets";
  }
  // The first prototypes the game registers need these looks.
  EXPECT_TRUE(framesets["EMPTY"].count("FRAMESET1"));
  for (const char *fs : {"NEUTRAL", "POINT", "DRAG"}) EXPECT_TRUE(framesets["KURZOR"].count(fs)) << fs;
  for (const char *fs : {"FRAMESET1", "ACTIVE"}) EXPECT_TRUE(framesets["KURZOR2"].count(fs)) << fs;
  for (const char *fs : {"EMPTY", "FULL"}) EXPECT_TRUE(framesets["PUNTIK"].count(fs)) << fs;
}

TEST(DataSetTest, SpriteFactoryReadsTheCollection) {
  ZSpriteFactory factory("kolekce");
  factory.nahrajXML((kData + "gfx/sprites.xml").c_str());
  EXPECT_GE(factory.getCount(), 4u);
  for (const char *name : {"EMPTY", "KURZOR", "KURZOR2", "PUNTIK"}) EXPECT_GE(factory.najdiZSprite(name), 0) << name;
}
