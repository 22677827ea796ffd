#include <cctype>
#include <string>

#include "engine/KMiscTools.h"
#include "game/CStartupTables.h"
#include "media/CSoundEngine.h"

namespace {
std::string lower(std::string s) {
  for (char &c : s) c = (char)std::tolower((unsigned char)c);
  return s;
}

// "BED_BREAKS" -> "Bed_Breaks".
std::string capitalised(const std::string &key) {
  std::string out;
  bool start = true;
  for (char c : key) {
    out += start ? (char)std::toupper((unsigned char)c) : (char)std::tolower((unsigned char)c);
    start = c == '_';
  }
  return out;
}

bool listed(const char *word, std::initializer_list<const char *> words) {
  for (const char *w : words)
    if (std::string(w) == word) return true;
  return false;
}

const char *const kSpecies[] = {"BEAR",  "CAT",    "COW",    "HAY",   "HIVES",  "IRIS",     "LEPER",
                                "NAPOL", "PEAR",   "PELVIS", "POLKA", "SHING",  "SHRUNK",   "SIDEB",
                                "SQUIR", "SWIM",   "BABOON", "CHICK", "ELEPHANT", "GOOSE", "HORSE"};

// Species whose second reaction key has no "_alt" file of its own.
bool noAltFile(const std::string &reaction, const char *species) {
  if (reaction == "EXITANGRY")
    return listed(species, {"SHING", "SHRUNK", "BABOON", "CHICK", "ELEPHANT", "GOOSE", "HORSE"});
  if (reaction == "EXITHAPPY") return listed(species, {"BEAR", "LEPER", "SHRUNK"});
  if (reaction == "PANIC")
    return listed(species, {"BEAR", "COW", "HIVES", "SHING", "BABOON", "CHICK", "ELEPHANT", "GOOSE", "HORSE"});
  if (reaction == "MEDS") return listed(species, {"HIVES", "SHRUNK"});
  return false;
}

// Customer reaction keys R_S1 and R_S2; `second` picks which.
TSoundRow reaction(const std::string &r, const char *species, bool second) {
  std::string s = lower(species);
  if (std::string(species) == "ELEPHANT" && (r == "EXITHAPPY" || r == "MEDS")) s = "eleph";
  std::string file = "customer_" + lower(r) + "_" + s;
  bool alt = second && !noAltFile(r, species);
  if (r == "EXITANGRY" && std::string(species) == "IRIS") alt = true;
  return {file + (alt ? "_alt" : "") + ".ogg", r + "_" + species + (second ? "2" : "1")};
}

std::vector<TSoundRow> buildSounds() {
  std::vector<TSoundRow> t;
  t.reserve(263);
  auto lowerRule = [&](std::initializer_list<const char *> keys) {
    for (const char *k : keys) t.push_back({lower(k) + ".ogg", k});
  };
  auto allReactions = [&](const std::string &r) {
    for (const char *s : kSpecies) {
      t.push_back(reaction(r, s, false));
      t.push_back(reaction(r, s, true));
    }
  };

  lowerRule({"CURED", "AIRPLANE", "ILL", "EXIT", "THROW", "TAKESHEETS", "RECOLOR", "NEWUPGRADE", "MEDSREADY",
             "DRINKDONE", "VIRUSALERT", "SPRAYVIRUS", "LEVELCLOSED", "SPEEDY", "CHAIN2", "CHAIN3", "CHAIN4", "CLICK",
             "KIDSLAUGH", "COLLECT", "NONO", "JASPERAPPEARS", "JASPERFUNNY", "PRESSUREMAX", "LEVELDONE", "COUGH",
             "VIRUSSPAWN", "NEWPATIENT", "PHOTOFLASH", "PHOTOCLICK"});
  for (TSoundRow &row : t) {
    if (row.key == "AIRPLANE") row.file = "Airplane.ogg";
    if (row.key == "PHOTOFLASH") row.file = "flash.ogg";
  }

  // The angry exits are interrupted by the two crowd sounds just before their last three keys.
  for (const char *s : kSpecies) {
    if (std::string(s) == "GOOSE") {
      t.push_back(reaction("EXITANGRY", s, false));
      lowerRule({"CROWD_MEDIUM", "CROWD_SMALL"});
      t.push_back(reaction("EXITANGRY", s, true));
    } else {
      t.push_back(reaction("EXITANGRY", s, false));
      t.push_back(reaction("EXITANGRY", s, true));
    }
  }
  allReactions("EXITHAPPY");
  allReactions("PANIC");
  allReactions("MEDS");

  lowerRule({"CITY1", "CITY2", "CUSTOMER_ESCAPES", "CUSTOMER_ESCAPES_ALT", "CUSTOMER_RUNS", "CUSTOMER_RUNS_ALT"});

  const TSoundRow own[] = {
      {"customer_female_yuck2.ogg", "FEMALE_YUCK2"},      {"customer_male_yuck_2.ogg", "MALE_YUCK2"},
      {"customer_child_yuck2.ogg", "CHILD_YUCK2"},        {"customer_female_yuck2_alt.ogg", "FEMALE_YUCK2B"},
      {"customer_male_yuck_2_alt.ogg", "MALE_YUCK2B"},    {"customer_child_yuck2_alt.ogg", "CHILD_YUCK2B"},
      {"customer_female_yuck_alt.ogg", "FEMALE_YUCK"},    {"customer_male_yuck_alt.ogg", "MALE_YUCK"},
      {"customer_child_yuck_alt.ogg", "CHILD_YUCK"},      {"customer_child_sleep.ogg", "CHILD_SLEEP1"},
      {"customer_child_sleep_alt.ogg", "CHILD_SLEEP2"},   {"customer_male_sleep.ogg", "MALE_SLEEP1"},
      {"customer_male_sleep_alt.ogg", "MALE_SLEEP2"},     {"customer_female_sleep.ogg", "FEMALE_SLEEP1"},
      {"customer_female_sleep_alt.ogg", "FEMALE_SLEEP2"},
  };
  for (const TSoundRow &row : own) t.push_back(row);

  lowerRule({"BAND_PLAYS"});

  for (const char *k :
       {"DOCTOR_DELIVERS_PRESCRIPTS", "ACTIVATE_BUTTON", "BANANA_DELIVER", "BANANA_PICKUP", "BAND_READY", "BED_BREAKS",
        "BED_FIXED", "BED_REPAIRMAN", "BOOK_DELIVER", "BOOK_PICKUP", "CLICK_BUTTON", "DR_DUMP_HAMPER", "DR_MAKES_BED",
        "DR_USES_STETHOSCOPE", "DRINK_DELIVER", "DRINK_PICKUP", "EXPERT", "GOAL", "LEVEL_BAD", "LEVEL_GOOD",
        "LEVEL_NORMAL", "MAP_DOT", "MONKEY_APPEARS", "MONKEY_DEFEATED", "PANEL_APPEAR", "PANEL_DISAPPEAR",
        "PARENTS_APPEAR", "PARENTS_VISIT", "PERK_ACTIVATE", "PHARMACY_PLACE", "PHARMACY_SEARCH", "PHARMACY_TAKE",
        "SPRAY_PICKUP", "SPRAY_USE", "SWITCH_SCREEN", "TOY_DELIVER", "TOY_PICKUP", "VIRUS_ALARM",
        "CUSTOMER_CUFF_GOOD", "CUSTOMER_CUFF_BAD", "CUSTOMER_APPEAR"})
    t.push_back({capitalised(k) + ".ogg", k});
  return t;
}
} // namespace

const std::vector<TSoundRow> &soundTable() {
  static const std::vector<TSoundRow> table = buildSounds();
  return table;
}

const std::vector<TSoundRow> &musicTable() {
  static const std::vector<TSoundRow> table = {
      {"music_general.ogg", "classic"}, {"music_kids.ogg", "kids"}, {"music_jungle.ogg", "jungle"},
      {"music_asylum.ogg", "sanatory"}, {"music_menu.ogg", "menu"}, {"music_map.ogg", "map"},
  };
  return table;
}

void registerSounds(CSoundEngine *soundEngine) {
  if (!soundEngine) return;
  for (const TSoundRow &row : soundTable())
    soundEngine->addSound(KMiscTools::makeFilePath(("data\\sfx\\" + row.file).c_str()), row.key, false);
  for (const TSoundRow &row : musicTable())
    soundEngine->addMusic(KMiscTools::makeFilePath(("data\\sfx\\" + row.file).c_str()), row.key);
}
