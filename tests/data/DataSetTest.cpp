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
#include <sstream>
#include <string>
#include <vector>

#include "core/CLoadingScreen.h"
#include "support/GameSpritesSupport.h"
#include "game/CStartupTables.h"
#include "engine/KFont.h"
#include "engine/KMiscTools.h"
#include "game/CStartupTables.h"
#include "media/CSurface.h"
#include "support/FakePicture.h"
#include "media/Frameset.h"
#include "media/ZSprite.h"
#include "media/ZSpriteFactory.h"
#include "world/kinds/EntityIds.h"
#include "ward/furniture/CMapEntity_Zidle.h"
#include "world/CLevelList.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_Game.h"
#include "world/CMapa.h"

namespace {

const std::string kData = std::string(TOB_BINARY_DIR) + "/data/";

std::string lower(std::string s) {
  for (char &c : s) c = (char)std::tolower((unsigned char)c);
  return s;
}

// Key -> file of every effect in the generator's catalogue (tools/sounds.csv: file first, the
// blank-separated keys that play it last); a key listed twice maps to "twice".
std::map<std::string, std::string> soundCatalogue() {
  std::map<std::string, std::string> byKey;
  std::ifstream in(std::string(TOB_SOURCE_DIR) + "/tools/sounds.csv");
  std::string line;
  bool header = true;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (header) {
      header = false;
      continue;
    }
    std::string file = line.substr(0, line.find(','));
    std::istringstream keys(line.substr(line.rfind(',') + 1));
    std::string key;
    while (keys >> key) byKey[key] = byKey.count(key) ? "twice" : file;
  }
  return byKey;
}

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

TEST(DataSetTest, SoundCatalogueMatchesTheGameTableKeyForKey) {
  // The generator names its files after the keys it was told of; a key it lacks or files
  // differently is a sound the game cannot load or plays wrongly.
  std::map<std::string, std::string> catalogue = soundCatalogue();
  ASSERT_FALSE(catalogue.empty()) << "tools/sounds.csv missing";
  std::set<std::string> keys;
  for (const TSoundRow &r : soundTable()) {
    keys.insert(r.key);
    auto c = catalogue.find(r.key);
    if (c == catalogue.end()) ADD_FAILURE() << "tools/sounds.csv has no key " << r.key;
    else EXPECT_EQ(c->second, r.file) << r.key;
  }
  for (const auto &c : catalogue) EXPECT_TRUE(keys.count(c.first)) << "the game plays no " << c.first;
}

TEST(DataSetTest, EverySoundFileExistsAndDecodes) {
  std::set<std::string> files;
  for (const TSoundRow &r : soundTable()) files.insert(r.file);
  for (const std::string &f : files) {
    Decoded d = decodeOgg(kData + "sfx/" + f);
    ASSERT_TRUE(d.ok) << "sound does not decode: data/sfx/" << f;
    EXPECT_GT(d.seconds, 0.03) << f;
    EXPECT_LT(d.seconds, 8.0) << f;
    EXPECT_GT(d.peak, 3000) << "nearly silent: " << f;
  }
}

TEST(DataSetTest, MusicLoopsDecodeAndLastSeveralSeconds) {
  for (const TSoundRow &r : musicTable()) {
    const std::string &f = r.file;
    Decoded d = decodeOgg(kData + "sfx/" + f);
    ASSERT_TRUE(d.ok) << "music does not decode: data/sfx/" << f;
    EXPECT_GE(d.seconds, 8.0) << f;
    EXPECT_LE(d.seconds, 60.0) << f;
    EXPECT_GT(d.peak, 8000) << f;
  }
}

TEST(DataSetTest, NoSoundFileOutsideTheTable) {
  // A file the game never names is a misspelt catalogue entry.
  std::set<std::string> named;
  for (const TSoundRow &r : soundTable()) named.insert(r.file);
  for (const TSoundRow &r : musicTable()) named.insert(r.file);
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
  bool latin1 = false;  // the Latin-1 letters and signs follow the space
};

const FontCase kFonts[] = {
    {"font1big.png", bigFontTable, 95, {'!', 0, 0, 12, 31, 12, 31}, {' ', 284, 96, 291, 127, 7, 31}, 0},
    {"font1small.png", smallFontTable, 95, {'!', 0, 0, 6, 35, 6, 35}, {' ', 173, 72, 184, 107, 11, 35}, 0},
    {"smallfont.tga", small2FontTable, 95, {'6', 195, 7, 201, 17, 7, 11}, {' ', 0, 0, 0, 0, 4, 10}, 1},
    {"bedfont.png", bedFontTable, 11, {'1', 8, 11, 12, 25, 5, 15}, {' ', 224, 88, 229, 109, 5, 21}, 1},
    {"bonusfont.png", bonusFontTable, 95, {'!', 8, 9, 14, 27, 7, 19}, {' ', 430, 48, 436, 71, 14, 23}, 1},
    {"gamefont.tga", gameFontTable, 95, {'#', 21, 5, 31, 14, 11, 10}, {' ', 0, 0, 0, 0, 8, 26}, 1, true},
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
    ASSERT_EQ(r.size(), fc.count + (fc.latin1 ? 94 : 0));
    EXPECT_TRUE(sameRecord(r.front(), fc.first));
    EXPECT_TRUE(sameRecord(r[fc.count - 1], fc.space));
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
  EXPECT_EQ(game[93].c, '?');
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

// ---- sprites of the prototypes, the variables file and the levels ----

namespace {

const std::string kTools = std::string(TOB_SOURCE_DIR) + "/tools/";

struct Box {
  int x = 0, y = 0, w = 0, h = 0;
};

struct FramesetInfo {
  std::string name;
  int frames = 0;
  int w = 0, h = 0;
  Box box, action;
  int sortY = -1;
};

struct SpriteInfo {
  std::string src;
  std::vector<FramesetInfo> framesets;
  const FramesetInfo *find(const std::string &fs) const {
    for (const FramesetInfo &f : framesets)
      if (f.name == fs) return &f;
    return nullptr;
  }
};

int intAttr(TiXmlElement *e, const char *name, int def = 0) {
  const char *v = e->Attribute(name);
  return v ? std::atoi(v) : def;
}

// The generated sprite collection: every sprite with its framesets and first frames.
const std::map<std::string, SpriteInfo> &sprites() {
  static std::map<std::string, SpriteInfo> all;
  if (!all.empty()) return all;
  TiXmlDocument doc((kData + "gfx/sprites.xml").c_str());
  if (!doc.LoadFile()) return all;
  for (TiXmlElement *s = doc.FirstChildElement("kolekce")->FirstChildElement("sprite"); s;
       s = s->NextSiblingElement("sprite")) {
    SpriteInfo info;
    info.src = s->Attribute("src");
    for (TiXmlElement *fs = s->FirstChildElement("frameset"); fs; fs = fs->NextSiblingElement("frameset")) {
      FramesetInfo f;
      f.name = fs->Attribute("name");
      for (TiXmlElement *fr = fs->FirstChildElement("frameB"); fr; fr = fr->NextSiblingElement("frameB")) {
        if (f.frames++ == 0) {
          f.w = intAttr(fr, "w");
          f.h = intAttr(fr, "h");
          f.box = {intAttr(fr, "bX"), intAttr(fr, "bY"), intAttr(fr, "bW"), intAttr(fr, "bH")};
          f.action = {intAttr(fr, "aX"), intAttr(fr, "aY"), intAttr(fr, "aW"), intAttr(fr, "aH")};
          f.sortY = intAttr(fr, "sortY", -1);
        }
      }
      info.framesets.push_back(f);
    }
    all[s->Attribute("name")] = info;
  }
  return all;
}

std::vector<std::vector<std::string>> tableRows(const std::string &path) {
  std::vector<std::vector<std::string>> rows;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
      size_t j = line.find(' ', i);
      if (j == std::string::npos) j = line.size();
      if (j > i) words.push_back(line.substr(i, j - i));
      i = j + 1;
    }
    rows.push_back(words);
  }
  return rows;
}

struct Prototype {
  int row = 0;
  std::string name;
  unsigned id = 0, cls = 0;
  std::string sprite, frameset;
  bool solid = false;
  int nearX = 0, nearY = 0;
  int walk = 200;
  // Solid and with a penalty the path finder will not cross.
  bool blocks() const { return solid && walk >= 1000; }
};

// The registration table as the data set knows it (tools/prototype_sprites.txt).
const std::vector<Prototype> &prototypes() {
  static std::vector<Prototype> all;
  if (!all.empty()) return all;
  for (const std::vector<std::string> &w : tableRows(kTools + "prototype_sprites.txt")) {
    if (w.size() != 10) continue;
    all.push_back({std::atoi(w[0].c_str()), w[1], (unsigned)std::atoi(w[2].c_str()), (unsigned)std::atoi(w[3].c_str()),
                   w[4], w[5], w[6] == "1", std::atoi(w[7].c_str()), std::atoi(w[8].c_str()), std::atoi(w[9].c_str())});
  }
  return all;
}

const Prototype *prototype(const std::string &name) {
  for (const Prototype &p : prototypes())
    if (p.name == name) return &p;
  return nullptr;
}

std::vector<std::string> frameOrder(const SpriteInfo &s) {
  std::vector<std::string> out;
  for (const FramesetInfo &f : s.framesets) out.push_back(f.name + "/" + std::to_string(f.frames));
  return out;
}

} // namespace

TEST(DataSetTest, EveryRegisteredPrototypeFindsItsSpriteAndStartingFrameset) {
  ASSERT_FALSE(sprites().empty()) << "data/gfx/sprites.xml missing";
  const std::vector<Prototype> &p = prototypes();
  ASSERT_EQ(p.size(), 390u);
  std::set<std::string> names;
  std::set<unsigned> ids;
  for (size_t i = 0; i < p.size(); ++i) {
    EXPECT_EQ(p[i].row, (int)i + 1);
    EXPECT_TRUE(names.insert(p[i].name).second) << "name twice: " << p[i].name;
    EXPECT_TRUE(ids.insert(p[i].id).second) << "entity ID twice: " << p[i].id;
    auto s = sprites().find(p[i].sprite);
    if (s == sprites().end()) {
      ADD_FAILURE() << "row " << p[i].row << " " << p[i].name << ": no sprite " << p[i].sprite;
      continue;
    }
    EXPECT_TRUE(s->second.find(p[i].frameset)) << p[i].name << ": sprite " << p[i].sprite << " lacks frameset "
                                                << p[i].frameset;
  }
  EXPECT_EQ(p[0].name, "KURZOR");
  EXPECT_EQ(p[0].id, 0u);
}

TEST(DataSetTest, EverySpriteSwappedInAtRunTimeHasTheFramesetsAskedFor) {
  ASSERT_FALSE(sprites().empty());
  std::vector<std::vector<std::string>> rows = tableRows(kTools + "runtime_sprites.txt");
  ASSERT_GT(rows.size(), 200u);
  for (const std::vector<std::string> &w : rows) {
    auto s = sprites().find(w[0]);
    if (s == sprites().end()) {
      ADD_FAILURE() << "no sprite " << w[0];
      continue;
    }
    for (size_t i = 1; i < w.size(); ++i) EXPECT_TRUE(s->second.find(w[i])) << w[0] << " lacks " << w[i];
  }
  // The names the game builds from parts: five uniforms for each hero, every hand holder look,
  // shoes and stethoscopes, pyjamas and skins of every kind, lab pieces of up to eight strands.
  for (const char *sex : {"", "M"})
    for (int i = 1; i <= 5; ++i)
      for (const char *part : {"PLAYER%d", "PLAYER%dLEFTDOWN", "PLAYER%dRIGHTDOWN", "PLAYER%dLEFTUP",
                               "PLAYER%dRIGHTUP", "SHOES%d", "STETO%d"}) {
        char name[64];
        std::snprintf(name, sizeof name, part, i);
        EXPECT_TRUE(sprites().count(std::string(sex) + name)) << sex << name;
      }
  for (const char *kind : {"MAN", "WOMAN", "BMAN", "BWOMAN", "DITE", ""})
    for (const char *part : {"PYZAMO", "PYZAMO_SKIN", "PYZAMORUKA", "PYZAMORUKA_SKIN"})
      EXPECT_TRUE(sprites().count(std::string(kind) + part)) << kind << part;
  for (int i = 0; i <= 8; ++i) EXPECT_TRUE(sprites().count("DNA" + std::to_string(i))) << i;
}

TEST(DataSetTest, OverlaysHaveTheFramesetsAndFramesOfWhatTheyFollow) {
  // Skins, pyjama arms, heads, hand holders, shoes and stethoscopes follow their body by frameset
  // index and frame number, so each must match the body's layout exactly.
  const std::map<std::string, SpriteInfo> &all = sprites();
  ASSERT_TRUE(all.count("MANPYZAMO"));
  std::vector<std::string> patient = frameOrder(all.at("MANPYZAMO"));
  for (const auto &s : all) {
    const std::string &n = s.first;
    const Prototype *p = prototype(n);
    bool patientPart = n.find("PYZAMO") != std::string::npos || n.find("HLAVA") != std::string::npos ||
                       (p && p->cls == 15);
    if (patientPart) {
      EXPECT_EQ(frameOrder(s.second), patient) << n;
    }
  }
  for (const char *sex : {"", "M"})
    for (int i = 1; i <= 5; ++i) {
      std::string body = std::string(sex) + "PLAYER" + std::to_string(i);
      ASSERT_TRUE(all.count(body)) << body;
      std::vector<std::string> order = frameOrder(all.at(body));
      // The hand holders keep one hold point per index; index 3 is the back view.
      EXPECT_EQ(all.at(body).framesets[3].name, "UP");
      for (const char *part : {"LEFTDOWN", "RIGHTDOWN", "LEFTUP", "RIGHTUP"})
        EXPECT_EQ(frameOrder(all.at(body + part)), order) << body << part;
      for (const char *over : {"SHOES", "STETO"})
        EXPECT_EQ(frameOrder(all.at(std::string(sex) + over + std::to_string(i))), order) << over << i;
    }
  for (const char *blanket : {"POSTEL1PRIKRYVKA", "POSTEL3PRIKRYVKA"})
    EXPECT_EQ(frameOrder(all.at(std::string(blanket) + "_SKIN")), frameOrder(all.at(blanket))) << blanket;
}

TEST(DataSetTest, PicturesFitATextureAndBoxesLieInTheirFrames) {
  for (const auto &s : sprites()) {
    std::pair<int, int> size = pictureSize(kData + "gfx/" + s.second.src);
    EXPECT_LE(size.first, 2048) << s.first;
    EXPECT_LE(size.second, 2048) << s.first;
    for (const FramesetInfo &f : s.second.framesets) {
      const Box &b = f.box, &a = f.action;
      EXPECT_TRUE(b.x >= 0 && b.y >= 0 && b.x + b.w <= f.w && b.y + b.h <= f.h) << s.first << " box";
      EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.w <= f.w && a.y + a.h <= f.h) << s.first << " action box";
    }
  }
}

TEST(DataSetTest, ClickableAndWorkedOnPrototypesHaveActionBoxesAndFreeApproachTiles) {
  for (const Prototype &p : prototypes()) {
    auto s = sprites().find(p.sprite);
    ASSERT_NE(s, sprites().end()) << p.sprite;
    const FramesetInfo *f = s->second.find(p.frameset);
    ASSERT_NE(f, nullptr) << p.name;
    bool worked = p.nearX != 0 || p.nearY != 0;
    // Beds, cabinets, trolleys, patients and menu buttons are clicked or dragged onto.
    if (p.cls == kBedClass || p.cls == kPatientClass || p.cls == kCabinetClass || p.cls == kTrolleyClass || p.cls == 36 ||
        p.cls == kChairClass) {
      EXPECT_GT(f->action.w * f->action.h, 0) << p.name << " cannot be clicked";
    }
    if (!p.blocks() || !worked || p.sprite == "EMPTY") continue;
    // A solid entity blocks the tiles under its box; the tile the player walks to must stay
    // free wherever on the grid the entity stands: a whole tile between box and spot.
    const Box &b = f->box;
    bool clear = b.y + b.h <= p.nearY - 32 || b.x + b.w <= p.nearX - 32 || b.x > p.nearX + 32 || b.y > p.nearY + 32;
    EXPECT_TRUE(clear) << p.name << ": box " << b.x << "," << b.y << "," << b.w << "," << b.h << " covers the spot "
                       << p.nearX << "," << p.nearY;
  }
}

// Furniture the player works at is drawn behind her while she stands at its work spot, wherever
// the tile grid puts her (up to 15 px above the spot), and the spot lies on its picture's foot.
TEST(DataSetTest, ThePlayerAtAWorkSpotStandsInFrontOfTheFurniture) {
  const FramesetInfo *body = sprites().at("PLAYER1").find("DOWN");
  ASSERT_NE(body, nullptr);
  const int playerAboveFoot = body->sortY - (body->box.y + body->box.h / 2);
  int checked = 0;
  for (const Prototype &p : prototypes()) {
    bool worked = p.nearX != 0 || p.nearY != 0;
    if (!worked || !(p.solid || p.cls == kBedClass || p.cls == kDispenserClass || p.cls == kTrolleyClass)) continue;
    const FramesetInfo *f = sprites().at(p.sprite).find(p.frameset);
    ASSERT_NE(f, nullptr) << p.name;
    const int sort = f->sortY >= 0 ? f->sortY : f->box.y;
    EXPECT_LT(sort, p.nearY - 15 + playerAboveFoot) << p.name << " covers the player at its work spot";
    EXPECT_TRUE(p.nearX >= 0 && p.nearX <= f->w && p.nearY >= f->h / 2) << p.name << ": the spot is off its foot";
    ++checked;
  }
  EXPECT_GE(checked, 20);
}

// A full gauge lights its red lamp (carried 6 px left of and 29 px above its corner) at FRAMESET3:
// the bulb shows on the gauge below its column, pulses in place and stays clear of the face (the
// top third) of the patient on the chair beside it.
TEST(DataSetTest, AFullGaugesLampShowsOnTheGaugeClearOfTheSeatedPatientsFace) {
  const FramesetInfo *lamp = sprites().at("REDLIGHT").find("FRAMESET3");
  const FramesetInfo *gauge = sprites().at("TLAKOMER").find("FRAMESET3");
  const FramesetInfo *column = sprites().at("TLAKOMERFULL").find("FRAMESET3");
  const FramesetInfo *body = sprites().at("PACIENT1").find("FRAMESET1");
  ASSERT_TRUE(lamp && gauge && column && body);
  const Box &b = lamp->box, &pb = body->box;
  const int lx = b.x - 6, ly = b.y - 29;
  EXPECT_TRUE(lx >= 0 && ly >= column->h && lx + b.w <= gauge->w && ly + b.h <= gauge->h) << "off the gauge";
  EXPECT_TRUE(2 * b.x + b.w == lamp->w && 2 * b.y + b.h == lamp->h) << "the pulse moves the bulb";
  int chairs = 0;
  for (const Prototype &p : prototypes()) {
    float dx = 0, dy = 0;
    if (p.cls != 17 || !CMapEntity_Zidle::gaugeOffset(p.id, dx, dy)) continue;
    const Box &cb = sprites().at(p.sprite).find(p.frameset)->box;
    const int faceX = cb.x + cb.w / 2 - pb.w / 2 + pb.x, faceY = cb.y + cb.h / 2 - pb.h + pb.y;
    const int x = (int)dx + lx, y = (int)dy + ly;
    EXPECT_TRUE(x >= faceX + pb.w || x + b.w <= faceX || y >= faceY + pb.h / 3 || y + b.h <= faceY) << p.name;
    ++chairs;
  }
  EXPECT_EQ(chairs, 4);
}

TEST(DataSetTest, RealRegistrationTableUsesTheListedSpritesAndFramesets) {
  // The game's own registration against the generated collection: every prototype it builds
  // finds its sprite (a missing one would end the run) and starts on the listed frameset.
  useGameSprites(kData.substr(0, kData.size() - 5));
  unsigned int n = registerEntityPrototypes();
  EXPECT_GT(n, 0u);
  for (CMapEntity_Game *e : CMapEntitiesFactory::instance()->getPrototypes()) {
    const Prototype *p = prototype(e->name);
    ASSERT_NE(p, nullptr) << "not in the list: " << e->name;
    EXPECT_EQ(e->getEntityID(), p->id) << e->name;
    EXPECT_EQ(e->getEntityClassID(), p->cls) << e->name;
    ASSERT_NE(e->looks().getSprite(), nullptr) << e->name;
    EXPECT_STREQ(e->looks().getSprite()->getID(), p->sprite.c_str()) << e->name;
    ASSERT_NE(e->looks().getSprite()->getAktivniFrameset(), nullptr) << e->name;
    EXPECT_STREQ(e->looks().getSprite()->getAktivniFrameset()->getID(), p->frameset.c_str()) << e->name;
  }
  dropGameSprites();
}

namespace {

// The exported variables of each family that sets them from the variables file.
const std::set<std::string> kPatientVariables = {
    "colorbonus",      "fastservice",     "money",      "outbreaktimer", "outbreakmaxcount", "cekanitimer",
    "patience",        "recoveryspeed",   "meterFull",  "pressurespeed", "maxkaselcount",    "diseasename",
    "soundexithappy1", "soundexitangry1", "soundmeds1", "soundpanic1",   "soundexithappy2",  "soundexitangry2",
    "soundmeds2",      "soundpanic2",     "startupHearts"};

} // namespace

TEST(DataSetTest, VariablesFileSetsOnlyExportedVariablesOfRegisteredPrototypes) {
  TiXmlDocument doc((kData + "variables.xml").c_str());
  ASSERT_TRUE(doc.LoadFile()) << "data/variables.xml missing or not well formed";
  TiXmlElement *root = doc.FirstChildElement("variables");
  ASSERT_NE(root, nullptr);
  std::set<std::string> soundKeys;
  for (const TSoundRow &r : soundTable()) soundKeys.insert(r.key);
  std::set<std::string> seen;
  int tips = 0, species = 0;
  for (TiXmlElement *e = root->FirstChildElement("entity"); e; e = e->NextSiblingElement("entity")) {
    ASSERT_TRUE(e->Attribute("name"));
    std::string name = e->Attribute("name");
    EXPECT_TRUE(seen.insert(name).second) << "entity twice: " << name;
    const Prototype *p = prototype(name);
    ASSERT_NE(p, nullptr) << "no prototype " << name;
    for (TiXmlAttribute *a = e->FirstAttribute(); a; a = a->Next()) {
      std::string var = a->Name(), value = a->Value();
      if (var == "name") continue;
      if (p->cls == 15) {
        EXPECT_TRUE(kPatientVariables.count(var)) << name << " exports no " << var;
        if (var.compare(0, 5, "sound") == 0) {
          EXPECT_TRUE(soundKeys.count(value)) << name << ": no sound " << value;
        }
      } else if (p->cls == 28) {
        EXPECT_TRUE(var == "maxuses" || var == "duration") << name << " " << var;
        EXPECT_GT(std::atoi(value.c_str()), 0) << name << " " << var;
      } else if (p->cls == 7) {
        EXPECT_EQ(var, "upgradetext") << name;
      } else if (p->cls == 31) {
        EXPECT_EQ(var, "text") << name;
        EXPECT_FALSE(value.empty()) << name;
      } else if (p->cls == 19) {
        EXPECT_TRUE(var == "counterleft" || var == "countertop" || var == "counterright" || var == "counterbase") << name << " " << var;
      } else {
        ADD_FAILURE() << name << " exports no variables";
      }
    }
    tips += p->cls == 31;
    species += p->cls == 15;
  }
  // Every tip and tutorial bubble has its text, every species its voice.
  int bubbles = 0, kinds = 0;
  for (const Prototype &p : prototypes()) {
    bubbles += p.cls == 31;
    kinds += p.cls == 15;
  }
  EXPECT_EQ(tips, bubbles);
  EXPECT_EQ(species, kinds);
}

TEST(DataSetTest, EveryDifficultyListsLevelsWhoseFilesLoad) {
  TiXmlDocument tiles((kData + "maps/tiles.xml").c_str());
  ASSERT_TRUE(tiles.LoadFile());
  ASSERT_NE(tiles.FirstChildElement("tiledef"), nullptr);
  std::pair<int, int> tileSet = pictureSize(kData + "gfx/" + tiles.FirstChildElement("tiledef")->Attribute("src"));
  EXPECT_GT(tileSet.first, 0);
  for (const char *d : {"easy", "medium", "hard"}) {
    SCOPED_TRACE(d);
    std::string folder = kData + "maps/" + d + "/";
    CLevelList list;
    list.load(folder + "levellist.xml");
    ASSERT_GE(list.getSize(), 2);
    EXPECT_EQ(list.getLevel(0), "menu");
    // The listed levels, then any level the folder holds beside the progression (a showcase).
    std::vector<std::string> names;
    for (uint16_t i = 0; i < list.getSize(); ++i) names.push_back(list.getLevel(i));
    if (DIR *dir = opendir(folder.c_str())) {
      const std::string ending = "_defs.xml";
      while (dirent *e = readdir(dir)) {
        std::string file = e->d_name;
        if (file.size() <= ending.size() || file.compare(file.size() - ending.size(), ending.size(), ending) != 0) continue;
        std::string name = file.substr(0, file.size() - ending.size());
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
      }
      closedir(dir);
    }
    for (const std::string &name : names) {
      SCOPED_TRACE(name);
      TiXmlDocument defs((folder + name + "_defs.xml").c_str());
      ASSERT_TRUE(defs.LoadFile());
      TiXmlElement *level = defs.FirstChildElement("leveldef") ? defs.FirstChildElement("leveldef")->FirstChildElement("level")
                                                               : nullptr;
      ASSERT_NE(level, nullptr);
      ASSERT_TRUE(level->Attribute("tiledef"));
      EXPECT_TRUE(level->Attribute("time")) << "every level gives its time";
      EXPECT_TRUE(level->Attribute("moneyLimit")) << "every level gives its money goal";
      for (TiXmlElement *pc = defs.FirstChildElement("leveldef")->FirstChildElement("pacient"); pc;
           pc = pc->NextSiblingElement("pacient")) {
        const Prototype *p = prototype(pc->Attribute("name"));
        ASSERT_NE(p, nullptr) << pc->Attribute("name");
        EXPECT_EQ(p->cls, 15u) << p->name << " is no patient";
      }
      // The game's own map reader.
      CMapa map;
      map.nahrajDefiniceXML(kData + "maps/" + level->Attribute("tiledef"));
      map.nahrajMapuXML(folder + name + "_map.xml");
      ASSERT_EQ(map.getLayers().size(), 1u);
      ASSERT_NE(map.getPozadi(), MAPA_ZADNA_SURFACE);
      TiXmlDocument mapDoc((folder + name + "_map.xml").c_str());
      ASSERT_TRUE(mapDoc.LoadFile());
      std::pair<int, int> bg = pictureSize(kData + "gfx/" + mapDoc.FirstChildElement("map")->Attribute("background"));
      EXPECT_EQ(bg.first, 800);
      EXPECT_EQ(bg.second, 600);

      TiXmlDocument ents((folder + name + "_entities.xml").c_str());
      ASSERT_TRUE(ents.LoadFile());
      TiXmlElement *root = ents.FirstChildElement("mapEntities");
      ASSERT_NE(root, nullptr);
      int cursors = 0;
      std::vector<std::pair<const Prototype *, std::pair<int, int>>> placed;
      for (TiXmlElement *e = root->FirstChildElement("entity"); e; e = e->NextSiblingElement("entity")) {
        const Prototype *p = prototype(e->Attribute("name"));
        ASSERT_NE(p, nullptr) << "no prototype " << e->Attribute("name");
        cursors += p->cls == 32;
        placed.push_back({p, {intAttr(e, "x"), intAttr(e, "y")}});
      }
      for (TiXmlElement *a = root->FirstChildElement("adder"); a; a = a->NextSiblingElement("adder"))
        for (TiXmlElement *e = a->FirstChildElement("adderentity"); e; e = e->NextSiblingElement("adderentity")) {
          const Prototype *p = prototype(e->Attribute("name"));
          ASSERT_NE(p, nullptr) << "no prototype " << e->Attribute("name");
          placed.push_back({p, {intAttr(a, "x"), intAttr(a, "y")}});
        }
      EXPECT_EQ(cursors, 1) << "one cursor per screen";
      // A working day (one with a clock) has its status bar along the bottom.
      int statusBars = 0;
      for (auto &pl : placed)
        if (pl.first->name == "STATUSBAR") {
          ++statusBars;
          EXPECT_EQ(pl.second, std::make_pair(0, 540)) << "the status bar's place";
        }
      EXPECT_EQ(statusBars, intAttr(level, "time") > 0 ? 1 : 0) << "status bars";
      // And the keys that open its in-game menu, a lab's too.
      int keys = 0;
      for (auto &pl : placed) keys += pl.first->name == "KEYSINGAME" ? 1 : 0;
      EXPECT_EQ(keys, intAttr(level, "time") > 0 || name.compare(0, 4, "LAB ") == 0 ? 1 : 0) << "in-game menu keys";
      // On a day of the list, two things the player works at never share the spot a click lands on:
      // the later one in the list would send her to its own work spot.
      const auto listEnd = names.begin() + list.getSize();
      const bool listed = std::find(names.begin(), listEnd, name) != listEnd;
      auto workedAt = [listed](const Prototype *p) {
        return listed && (p->nearX != 0 || p->nearY != 0) &&
               (p->solid || p->cls == kBedClass || p->cls == kDispenserClass || p->cls == kTrolleyClass);
      };
      for (size_t i = 0; i < placed.size(); ++i)
        for (size_t j = i + 1; j < placed.size(); ++j) {
          if (!workedAt(placed[i].first) || !workedAt(placed[j].first)) continue;
          const Box &a = sprites().at(placed[i].first->sprite).find(placed[i].first->frameset)->action;
          const Box &b = sprites().at(placed[j].first->sprite).find(placed[j].first->frameset)->action;
          const int ax = placed[i].second.first + a.x, ay = placed[i].second.second + a.y;
          const int bx = placed[j].second.first + b.x, by = placed[j].second.second + b.y;
          EXPECT_FALSE(ax < bx + b.w && bx < ax + a.w && ay < by + b.h && by < ay + a.h)
              << placed[i].first->name << " and " << placed[j].first->name << " take the same clicks";
        }
      // Where the player works on something, the tile must be walkable ground no solid thing
      // covers, so a click there leads somewhere.
      for (auto &pl : placed) {
        const Prototype *p = pl.first;
        // A piece placed off screen (the jester) walks in before it can be worked on.
        if ((p->nearX == 0 && p->nearY == 0) || pl.second.first >= 800) continue;
        int tx = (pl.second.first + p->nearX) / 32, ty = (pl.second.second + p->nearY) / 32;
        ASSERT_TRUE(tx >= 0 && tx < 25 && ty >= 0 && ty < 19) << p->name;
        EXPECT_TRUE(map.isWalkable(0, ty * 25 + tx)) << p->name << " is worked on from a wall";
        // The player works a bed only within 15 px of its spot, standing on the tile's middle.
        if (p->cls == kBedClass) {
          EXPECT_TRUE(std::abs(tx * 32 + 16 - pl.second.first - p->nearX) <= 15 &&
                      std::abs(ty * 32 + 16 - pl.second.second - p->nearY) <= 15)
              << p->name << " at " << pl.second.first << ", " << pl.second.second << " is out of the player's reach";
        }
        for (auto &other : placed) {
          if (!other.first->blocks()) continue;
          const FramesetInfo *f = sprites().at(other.first->sprite).find(other.first->frameset);
          int x0 = (other.second.first + f->box.x) / 32, x1 = (other.second.first + f->box.x + f->box.w) / 32;
          int y0 = (other.second.second + f->box.y) / 32, y1 = (other.second.second + f->box.y + f->box.h) / 32;
          EXPECT_FALSE(tx >= x0 && tx <= x1 && ty >= y0 && ty <= y1)
              << p->name << " is worked on from a tile " << other.first->name << " blocks";
        }
      }
    }
  }
}

// A map shows one finished-day icon for each working day before it that the player's record keeps
// (all but the Tutorial, which the record never holds), each placed on its own (an adder would
// carry it and change the numbering); the plaque's caption line lies
// inside its picture. At most four maps offer a perk (there are four), each before a day to use it.
TEST(DataSetTest, MapsPlaceOneFinishedDayIconPerWorkingDayBeforeThem) {
  const FramesetInfo *plaque = sprites().at("MAPKALOGO").find("FRAMESET1");
  ASSERT_NE(plaque, nullptr);
  EXPECT_GE(plaque->w, 160);
  EXPECT_GE(plaque->h, 87 + 16) << "the caption is drawn from y 87";
  for (const char *d : {"easy", "medium", "hard"}) {
    SCOPED_TRACE(d);
    std::string folder = kData + "maps/" + d + "/";
    CLevelList list;
    list.load(folder + "levellist.xml");
    int days = 0, mapsAfterADay = 0, perkMaps = 0;
    std::string perkUnused;
    for (uint16_t i = 0; i < list.getSize(); ++i) {
      SCOPED_TRACE(list.getLevel(i));
      TiXmlDocument defs((folder + list.getLevel(i) + "_defs.xml").c_str());
      ASSERT_TRUE(defs.LoadFile());
      TiXmlElement *level = defs.FirstChildElement("leveldef")->FirstChildElement("level");
      TiXmlDocument ents((folder + list.getLevel(i) + "_entities.xml").c_str());
      ASSERT_TRUE(ents.LoadFile());
      TiXmlElement *root = ents.FirstChildElement("mapEntities");
      int icons = 0, stars = 0;
      for (TiXmlElement *e = root->FirstChildElement("entity"); e; e = e->NextSiblingElement("entity")) {
        icons += std::string(e->Attribute("name")) == "LEVELCOMPLETED";
        stars += std::string(e->Attribute("name")) == "MAPSTAR";
      }
      for (TiXmlElement *a = root->FirstChildElement("adder"); a; a = a->NextSiblingElement("adder"))
        for (TiXmlElement *e = a->FirstChildElement("adderentity"); e; e = e->NextSiblingElement("adderentity"))
          EXPECT_NE(std::string(e->Attribute("name")), "LEVELCOMPLETED") << "an icon in an adder";
      if (stars > 0) {
        EXPECT_EQ(icons, days - 1) << "one icon per kept day";
        EXPECT_STREQ(level->Attribute("music"), "map");
        EXPECT_EQ(intAttr(level, "time"), 0);
        EXPECT_EQ(intAttr(level, "moneyLimit"), 0);
        mapsAfterADay += days > 0;
        if (level->Attribute("perks")) {
          ++perkMaps;
          perkUnused = list.getLevel(i);
        }
      }
      EXPECT_TRUE(list.getLevel(i).compare(0, 4, "LAB ") || perkUnused.empty()) << "a perk offered before a lab";
      if (intAttr(level, "time") > 0) {
        ++days;
        perkUnused.clear();
      }
    }
    EXPECT_GE(mapsAfterADay, 1) << "a map follows a won day";
    EXPECT_GE(perkMaps, 1) << "a map offers a perk";
    EXPECT_LE(perkMaps, 4);
    EXPECT_EQ(perkUnused, "") << "the perk of this map has no day left to be used on";
  }
}

// A day with beds needs a cabinet for their medicine and a laundry trolley for their linen (a
// made bed's linen must go somewhere before the day can end); a bed that arrives during the day
// carries its number, or it would share one with another bed.
TEST(DataSetTest, DaysWithBedsHaveACabinetATrolleyAndNumberedArrivals) {
  for (const char *d : {"easy", "medium", "hard"}) {
    SCOPED_TRACE(d);
    std::string folder = kData + "maps/" + d + "/";
    CLevelList list;
    list.load(folder + "levellist.xml");
    for (uint16_t i = 0; i < list.getSize(); ++i) {
      std::string name = list.getLevel(i);
      TiXmlDocument ents((folder + name + "_entities.xml").c_str());
      ASSERT_TRUE(ents.LoadFile()) << name;
      TiXmlElement *root = ents.FirstChildElement("mapEntities");
      ASSERT_NE(root, nullptr) << name;
      std::set<uint32_t> classes;
      for (TiXmlElement *e = root->FirstChildElement("entity"); e; e = e->NextSiblingElement("entity"))
        if (const Prototype *p = prototype(e->Attribute("name"))) classes.insert(p->cls);
      int row = 0;
      for (TiXmlElement *a = root->FirstChildElement("adder"); a; a = a->NextSiblingElement("adder"))
        for (TiXmlElement *e = a->FirstChildElement("adderentity"); e; e = e->NextSiblingElement("adderentity")) {
          ++row;
          const Prototype *p = prototype(e->Attribute("name"));
          if (!p) continue;
          classes.insert(p->cls);
          if (p->cls == kBedClass) {
            EXPECT_TRUE(e->Attribute("postelcislo"))
                << name << "_entities.xml, adder " << row << ": bed " << p->name << " has no #number";
          }
        }
      if (!classes.count(13)) continue;
      EXPECT_TRUE(classes.count(19)) << name << "_entities.xml: beds but no medicine cabinet";
      EXPECT_TRUE(classes.count(30)) << name << "_entities.xml: beds but no laundry trolley";
    }
  }
}
