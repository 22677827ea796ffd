#include <gtest/gtest.h>

#include <tinyxml.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "world/CLevelList.h"

// The generated campaign of each difficulty, read from its files: what the levels place, how
// the list is built and how it grows harder.

namespace {

const std::string kMaps = std::string(TOB_BINARY_DIR) + "/data/maps/";
const char *const kDifficulties[] = {"easy", "medium", "hard"};

// Prototypes no level places: the game makes them itself.
const std::set<std::string> kMadeByTheGame = {
    // The doctor's hands, and what the doctor carries, hands out or leaves behind.
    "PLAYERLEFTDOWN", "PLAYERRIGHTDOWN", "PLAYERRIGHTUP", "PLAYERLEFTUP", "RECEPT", "LEK", "ODPAD", "DRINK", "TOY",
    "KNIHA", "GREENDRINK", "SPREJ", "HULKA", "SPREJKOUR", "OK",
    // Windows, their pages and what they write with.
    "HELPWINDOW", "SUMMARYWINDOW", "MINIGAMESUMMARYWINDOW", "SESIT", "SUMMARYSESIT", "MINIGAMESUMMARYSESIT",
    "TEXTBOX", "BONUSTEXT", "DARKSCREEN", "FADER", "FRONTAAKCI", "CLOSED", "MAGNET",
    // Highlights and parts that furniture builds onto itself.
    "LEKARNAAURA", "LEKARNA2AURA", "LEKARNA3AURA", "LEKARNA4AURA", "ZIDLEAURA", "ZIDLE2AURA", "ZIDLE3AURA",
    "ZIDLE4AURA", "POSTEL1DOLNIMRIZ", "POSTEL1PRIKRYVKA", "POSTEL1POLSTAR", "POSTEL1AURA", "POSTEL2DOLNIMRIZ",
    "POSTEL2PRIKRYVKA", "POSTEL2POLSTAR", "POSTEL3DOLNIMRIZ", "POSTEL3PRIKRYVKA", "POSTEL3POLSTAR", "POSTEL3AURA",
    "POSTEL3BDOLNIMRIZ", "POSTEL3BPRIKRYVKA", "POSTEL3BPOLSTAR", "POSTEL4DOLNIMRIZ", "POSTEL4PRIKRYVKA",
    "POSTEL4POLSTAR", "POSTEL4AURA", "POSTEL4BDOLNIMRIZ", "POSTEL4BPRIKRYVKA", "POSTEL4BPOLSTAR", "POSTEL4BAURA",
    "POSTEL5DOLNIMRIZ", "POSTEL5PRIKRYVKA", "POSTEL5POLSTAR", "POSTEL5AURA", "POSTEL5BDOLNIMRIZ",
    "POSTEL5BPRIKRYVKA", "POSTEL5BPOLSTAR", "POSTEL5BAURA", "POSTEL5CDOLNIMRIZ", "POSTEL5CPRIKRYVKA",
    "POSTEL5CPOLSTAR", "POSTEL5CAURA", "REDLIGHT", "GREENLIGHT", "TLAKOMER", "TLAKOMERFULL", "AUTOMATSVETLO",
    "OBTIZNOSTADJUSTERSKLO", "OBTIZNOSTADJUSTERRUCICKA", "HUDEBNIK1", "HUDEBNIK2", "HUDEBNIK1AURA", "HUDEBNIK2AURA",
    // Patients' heads, sleeves, meters, hearts, captions and puffs.
    "PACIENT1HLAVA", "PACIENT2HLAVA", "PACIENT3HLAVA", "PACIENT4HLAVA", "PACIENT5HLAVA", "PACIENT9HLAVA",
    "PACIENT10HLAVA", "PACIENT11HLAVA", "PACIENT12HLAVA", "PACIENT13HLAVA", "PACIENTSTAROSTAHLAVA",
    "PACIENTSAMANHLAVA", "BLAZEN1HLAVA", "BLAZEN2HLAVA", "BLAZEN3HLAVA", "BLAZEN4HLAVA", "BLAZENCELEBRITAHLAVA",
    "DITEPACIENT1HLAVA", "DITEPACIENT2HLAVA", "DITEPACIENT3HLAVA", "DITEPACIENT4HLAVA", "DITEHELMUTHLAVA",
    "NEMOCNEJ1HLAVA", "PYZAMORUKA", "BAR", "BARPOZADI", "SRDICKA", "SRDCE", "MODRESRDCE", "NAPISCURED", "NAPISLOST",
    "PRACH", "Z", "BUBLINA", "SIPKA", "NEMOCNEJBACILY", "HAPPYNOTES",
    // What generators release: germ clouds, the monkey, parents, the laboratory's pieces.
    "BACILY", "BACILY2", "BACILY3", "BACILY4", "BACILY5", "OPICKA", "RODICE1", "RODICE2", "RODICE3", "MISKA", "DNA",
    // The status bar's own pieces (it draws the second background picture itself) and the clock's hand.
    "STATUSMENU", "PERKSAREA", "PERKCURETOUCHICON", "PERKBURSTICON", "PERKVIRUSICON", "PERKLUCKICON", "STATUSBAR2",
    "BARRUCICKA", "HODINYRUCICKA",
    // The shop's window, rows and buttons; the map's plane leaves its smoke.
    "UPGRADEMENU", "UPGRADEOK", "UPGRADECANCEL", "UPGRADEHELP", "UPGRADECHARISMA", "UPGRADESPEED", "UPGRADEREG",
    "UPGRADEMEDS1", "UPGRADEDIAGNOSTIC", "PERKCURETOUCH", "PERKVIRUS", "PERKBURST", "PERKLUCK", "PUNTIK",
    "LETADLOKOUR",
    // Menu panels and widgets, opened by the main menu, the in-game keys and each other.
    "INGAMEMENU", "OPTIONSMENU", "OPTIONSINGAMEMENU", "PLAYERMENU", "VIDEOMENU", "SOUNDMENU", "PROFILESMENU", "MENUBUTTONCREDITS",
    "MENUBUTTONQYES", "MENUBUTTONQNO", "MENUBUTTONTOMAIN", "MENUBUTTONMALE", "MENUBUTTONFEMALE", "MENUBUTTONRESTART",
    "MENUQUESTIONWINDOWRESTART", "MENUCLOSE", "MENUBUTTONCONTINUE", "MENUBUTTONCONTINUEINGAME", "MENUINPUTBOXNAME",
    "SLIDERDRAG", "MENUCHECKBOXTEST", "MENUCHECKBOXFULLSCREEN", "VIDEOSLIDERBASE", "SOUNDSLIDERBASE",
    "MUSICSLIDERBASE", "MENUQUESTIONWINDOWREMPROFILE", "MENUMESSAGEWINDOW", "MENUQUESTIONWINDOWQUIT",
    "MENUQUESTIONWINDOWBUYUPGRADES", "MENUQUESTIONWINDOWNEWGAME", "MENUBUTTONNEWGAME", "MENUBUTTONNEWGAMEBACK",
    "MENUBUTTONOPTIONS", "MENUBUTTONOPTIONSINGAME", "MENUBUTTONQUIT", "MENUBUTTONVIDEO", "MENUBUTTONAUDIO",
    "MENUBUTTONPROFILES", "MENUBUTTONVIDEOBACK", "MENUBUTTONAUDIOBACK", "MENUBUTTONPROFILE", "MENUBUTTONRESETPROFILE",
    "CREDITSTEXT", "PUBLISHERLOGO",
    // Tip bubbles open from their triggers; the first day's chain of triggers clones its next one.
    "TIPCLOWN", "REMINDPRESSURE", "TIPSHOPPERK", "TIPPERK", "TIPOUTBREAK", "TIPOUTBREAK2", "TIPSRDICKA", "TIPSHOP",
    "TIP1", "TIP2", "TIPVIRUS", "TIPHLASIC", "TIP1TRIGGER", "TIPOUTBREAKTRIGGER", "TIPSRDICKATRIGGER",
    // The guided day's bubbles open one from the other after its help trigger.
    "TUTORIAL1", "TUTORIAL1B", "TUTORIAL2", "TUTORIAL2B", "TUTORIAL3", "TUTORIAL4", "TUTORIAL5", "TUTORIAL6",
    "TUTORIAL7", "TUTORIAL8", "TUTORIAL9", "TUTORIAL9B", "TUTORIAL9C", "TUTORIAL9D", "TUTORIAL9E", "TUTORIAL10",
};

std::vector<std::string> prototypeNames() {
  std::vector<std::string> names;
  std::ifstream in(std::string(TOB_SOURCE_DIR) + "/tools/prototype_sprites.txt");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::string row, name;
    words >> row >> name;
    names.push_back(name);
  }
  return names;
}

struct Level {
  std::string name;
  int time = 0, goal = 0, expert = 0;
  std::map<std::string, int> patients;  // species -> arrivals
  std::multiset<std::string> placed;    // every prototype the entities file names
  std::vector<int> jesterX;             // where the file puts each jester
  int arrivals() const {
    int n = 0;
    for (const auto &p : patients) n += p.second;
    return n;
  }
  bool has(const std::string &name) const { return placed.count(name) > 0; }
  bool hasGerms() const {
    for (const char *g : {"BACILYGENERATOR", "BACILY2GENERATOR", "BACILY3GENERATOR", "BACILY4GENERATOR",
                          "BACILY5GENERATOR"})
      if (has(g)) return true;
    return false;
  }
};

void collectNames(TiXmlElement *parent, const char *child, std::multiset<std::string> &into) {
  for (TiXmlElement *e = parent->FirstChildElement(child); e; e = e->NextSiblingElement(child))
    if (e->Attribute("name")) into.insert(e->Attribute("name"));
}

// What a cure of each species pays at full mood: its money from the variables file x 150.
std::map<std::string, int> fullCurePay() {
  std::map<std::string, int> pay;
  TiXmlDocument doc((std::string(TOB_BINARY_DIR) + "/data/variables.xml").c_str());
  EXPECT_TRUE(doc.LoadFile()) << "data/variables.xml";
  if (TiXmlElement *root = doc.FirstChildElement("variables"))
    for (TiXmlElement *e = root->FirstChildElement("entity"); e; e = e->NextSiblingElement("entity")) {
      double money = 0.0;
      if (e->Attribute("name") && e->QueryDoubleAttribute("money", &money) == TIXML_SUCCESS)
        pay[e->Attribute("name")] = (int)(money * 150.0);
    }
  return pay;
}

// The most each working day made without cures, per list, as tools/no_cure.csv keeps it (the
// bot that registers, beds and tidies but never examines nor medicates, over several seeds).
std::map<std::string, std::vector<int>> noCureMoney() {
  std::map<std::string, std::vector<int>> out;
  std::ifstream in(std::string(TOB_SOURCE_DIR) + "/tools/no_cure.csv");
  EXPECT_TRUE(in.good()) << "tools/no_cure.csv";
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#' || line.compare(0, 4, "day,") == 0) continue;
    std::istringstream cells(line);
    std::string day, v;
    std::getline(cells, day, ',');
    while (std::getline(cells, v, ',')) out[day].push_back(std::atoi(v.c_str()));
    EXPECT_EQ(out[day].size(), 3u) << "tools/no_cure.csv: the row of " << day << " needs three lists' money";
  }
  return out;
}

std::vector<Level> campaign(const std::string &difficulty) {
  const std::string folder = kMaps + difficulty + "/";
  CLevelList list;
  list.load(folder + "levellist.xml");
  std::vector<Level> out;
  for (uint16_t i = 0; i < list.getSize(); ++i) {
    Level lv;
    lv.name = list.getLevel(i);
    TiXmlDocument defs((folder + lv.name + "_defs.xml").c_str());
    EXPECT_TRUE(defs.LoadFile()) << difficulty << "/" << lv.name << "_defs.xml";
    if (TiXmlElement *root = defs.FirstChildElement("leveldef")) {
      if (TiXmlElement *l = root->FirstChildElement("level")) {
        l->QueryIntAttribute("time", &lv.time);
        l->QueryIntAttribute("moneyLimit", &lv.goal);
        l->QueryIntAttribute("expertMoney", &lv.expert);
      }
      for (TiXmlElement *p = root->FirstChildElement("pacient"); p; p = p->NextSiblingElement("pacient")) {
        int count = 0;
        p->QueryIntAttribute("count", &count);
        lv.patients[p->Attribute("name")] += count;
        if (count > 0) lv.placed.insert(p->Attribute("name"));
      }
    }
    TiXmlDocument ents((folder + lv.name + "_entities.xml").c_str());
    EXPECT_TRUE(ents.LoadFile()) << difficulty << "/" << lv.name << "_entities.xml";
    if (TiXmlElement *root = ents.FirstChildElement("mapEntities")) {
      collectNames(root, "entity", lv.placed);
      for (TiXmlElement *e = root->FirstChildElement("entity"); e; e = e->NextSiblingElement("entity"))
        if (e->Attribute("name") && std::string(e->Attribute("name")) == "SASEK") lv.jesterX.push_back(std::atoi(e->Attribute("x")));
      for (const char *carrier : {"adder", "deadder", "generator"})
        for (TiXmlElement *c = root->FirstChildElement(carrier); c; c = c->NextSiblingElement(carrier)) {
          if (std::string(carrier) != "generator") lv.placed.insert(carrier == std::string("adder") ? "ADDER" : "DEADDER");
          collectNames(c, (std::string(carrier) + "entity").c_str(), lv.placed);
        }
    }
    out.push_back(lv);
  }
  return out;
}

} // namespace

// Every prototype a level can place is placed somewhere in each difficulty's list, so no piece
// of the game is out of a player's reach; the by-design lists name only what no list places.
TEST(CampaignTest, EveryPlaceablePrototypeIsPlacedInEachDifficultysList) {
  const std::vector<std::string> all = prototypeNames();
  ASSERT_EQ(all.size(), 390u);
  const std::set<std::string> known(all.begin(), all.end());
  for (const std::string &name : kMadeByTheGame) EXPECT_TRUE(known.count(name)) << "no prototype " << name;
  for (const char *d : kDifficulties) {
    std::set<std::string> placed;
    for (const Level &lv : campaign(d)) placed.insert(lv.placed.begin(), lv.placed.end());
    for (const std::string &name : all) {
      const bool byDesign = kMadeByTheGame.count(name);
      if (!byDesign && !placed.count(name))
        ADD_FAILURE() << d << ": no level of the list places " << name;
      if (byDesign && placed.count(name))
        ADD_FAILURE() << d << ": " << name << " is placed now; take it off the by-design list";
    }
  }
}

// Title screen first and victory last; the working days and the three laboratory days with a map
// after each, comic pages between; the late arrivals (parents) reached; each tip first
// placed on the day its subject first appears; a bed that wears out never stands without the
// repairman who mends it, and the first day he stands on the ward introduces him.
TEST(CampaignTest, ListRunsFromTheTitleThroughTheDaysToTheVictory) {
  for (const char *d : kDifficulties) {
    SCOPED_TRACE(d);
    const std::vector<Level> list = campaign(d);
    ASSERT_GE(list.size(), 2u);
    EXPECT_EQ(list.front().name, "menu");
    EXPECT_EQ(list.back().name, "victory");
    int days = 0, labs = 0, comics = 0, parentDays = 0;
    std::map<std::string, std::string> firstDay;  // subject -> first working day with it
    std::map<std::string, std::string> tipDay;    // trigger -> the day that places it
    for (size_t i = 0; i < list.size(); ++i) {
      const Level &lv = list[i];
      const bool lab = lv.name.compare(0, 4, "LAB ") == 0;
      labs += lab;
      EXPECT_TRUE(!lab || (i + 1 < list.size() && list[i + 1].has("MAPSTAR"))) << lv.name << " is not followed by a map";
      comics += lv.has("COMIC");
      for (const char *tip : {"TIPVIRUSTRIGGER", "TIPCLOWNTRIGGER", "TIPHLASICTRIGGER", "REMINDPRESSURETRIGGER"})
        if (lv.has(tip)) {
          // The germ and jester tips show once per saved game, so a later day may carry them too;
          // the lamp and pressure tips come every time their trigger is placed.
          const bool oncePerGame = std::string(tip) == "TIPVIRUSTRIGGER" || std::string(tip) == "TIPCLOWNTRIGGER";
          EXPECT_TRUE(oncePerGame || !tipDay.count(tip)) << tip << " placed twice";
          tipDay.emplace(tip, lv.name);
        }
      EXPECT_TRUE(!lv.has("POSTEL4") || lv.has("OPRAVAR")) << lv.name << ": a worn bed with nobody to mend it";
      if (lv.has("OPRAVAR") && !firstDay.count("OPRAVAR")) {
        firstDay.emplace("OPRAVAR", lv.name);
        std::ifstream intro(kMaps + d + "/" + lv.name + "_introentity.txt");
        std::string shown;
        intro >> shown;
        EXPECT_EQ(shown, "OPRAVAR") << lv.name << ": the repairman's first day does not introduce him";
      }
      if (lv.has("RODICEGENERATOR")) {
        ++parentDays;
        EXPECT_GE(i, 25u) << lv.name << ": parents send no one before level index 25";
      }
      if (lv.time <= 0) continue;
      ++days;
      ASSERT_LT(i + 1, list.size());
      EXPECT_TRUE(list[i + 1].has("MAPSTAR")) << lv.name << " is not followed by a map";
      if (lv.hasGerms()) firstDay.emplace("TIPVIRUSTRIGGER", lv.name);
      if (lv.hasGerms() && lv.has("HLASIC")) firstDay.emplace("TIPHLASICTRIGGER", lv.name);
      if (lv.has("SASEK")) firstDay.emplace("TIPCLOWNTRIGGER", lv.name);
      if (lv.has("PACIENT5")) firstDay.emplace("REMINDPRESSURETRIGGER", lv.name);
    }
    EXPECT_GE(days, 24);
    EXPECT_EQ(labs, 3);
    EXPECT_GE(comics, 1);
    EXPECT_GE(parentDays, 1);
    EXPECT_EQ(firstDay.erase("OPRAVAR"), 1u) << "no day has the repairman";
    for (const auto &first : firstDay) EXPECT_EQ(tipDay[first.first], first.second) << first.first;
    EXPECT_EQ(firstDay.size(), 4u);
  }
}

// Harder difficulties ask more of the same day: at least as many arrivals, and hard more money
// than medium.
// Along the list the days grow: later days bring more arrivals than the first ones. Each goal
// lies between what a day without cures made and what the day's cures pay.
TEST(CampaignTest, DaysAskMoreOnHarderDifficultiesAndLaterInTheList) {
  const std::vector<Level> easy = campaign("easy"), medium = campaign("medium"), hard = campaign("hard");
  ASSERT_EQ(easy.size(), medium.size());
  ASSERT_EQ(easy.size(), hard.size());
  const std::map<std::string, int> pay = fullCurePay();
  const std::map<std::string, std::vector<int>> bare = noCureMoney();
  std::vector<int> arrivals;
  for (size_t i = 0; i < easy.size(); ++i) {
    if (easy[i].time <= 0) continue;
    SCOPED_TRACE(easy[i].name);
    EXPECT_LE(easy[i].goal, medium[i].goal);
    EXPECT_LT(medium[i].goal, hard[i].goal);
    // A day that brings the same patients on every list is harder only by the money it asks.
    const bool alike = easy[i].arrivals() == hard[i].arrivals();
    EXPECT_TRUE(!alike || (easy[i].goal < medium[i].goal && medium[i].goal < hard[i].goal));
    EXPECT_LE(easy[i].arrivals(), medium[i].arrivals());
    EXPECT_LE(medium[i].arrivals(), hard[i].arrivals());
    EXPECT_GT(easy[i].arrivals(), 0);
    // The day's cures at full mood pay at least the goal, so good play meets it; the ward's
    // bonuses alone do not (the Tutorial, which teaches the first cure, excepted).
    auto measured = bare.find(easy[i].name);
    if (easy[i].name != "Tutorial") {
      EXPECT_TRUE(measured != bare.end()) << "tools/no_cure.csv has no row for " << easy[i].name;
    }
    for (const std::vector<Level> *l : {&easy, &medium, &hard}) {
      const size_t list = l == &easy ? 0 : l == &medium ? 1 : 2;
      if (measured != bare.end() && list < measured->second.size()) {
        EXPECT_GT((*l)[i].goal, measured->second[list]) << (*l)[i].name << ": met without a cure";
      }
      int most = 0;
      for (const auto &p : (*l)[i].patients) {
        auto it = pay.find(p.first);
        if (it == pay.end())
          ADD_FAILURE() << "data/variables.xml: no money for " << p.first;
        else
          most += it->second * p.second;
      }
      EXPECT_LE((*l)[i].goal, most) << (*l)[i].name << ": the goal is out of reach";
      EXPECT_GT((*l)[i].expert, (*l)[i].goal) << (*l)[i].name << ": the expert goal asks no more";
    }
    arrivals.push_back(hard[i].arrivals());
  }
  ASSERT_GE(arrivals.size(), 24u);
  EXPECT_GT(arrivals.back(), arrivals.front());
  EXPECT_GT(arrivals[arrivals.size() - 4], arrivals[3]);
}

// The jester clicks only once he has walked in and stopped: until then he waits off screen, so a
// player never meets a jester who ignores the clicks the day's notebook asks for.
TEST(CampaignTest, TheJesterWaitsOffScreenUntilHeWalksIn) {
  for (const char *d : kDifficulties) {
    int jesters = 0;
    for (const Level &lv : campaign(d))
      for (int x : lv.jesterX) {
        ++jesters;
        EXPECT_GE(x, 800) << d << "/" << lv.name << ": the jester stands on screen before he walks in";
      }
    EXPECT_GT(jesters, 2) << d;
  }
}
