#include "core/CLevelLink.h"

#include "world/CLevel_Game.h"

// The engine's level is the real CLevel_Game; tests may put in a level link of their own.
namespace {
class DefaultLevelLink : public CLevelLink {
public:
  CLevel_Game *create(CEngine *engine) override { return new CLevel_Game(engine); }
  void destroy(CLevel_Game *level) override { delete level; }
  void bindEContVzory(CLevel_Game *level, CEntityControllersVzory_Game *p) override {
    if (level) level->bindEContVzory(p);
  }
  void load(CLevel_Game *level, const std::string &name) override {
    if (level) level->load(name);
  }
  void setShopping(CLevel_Game *level, bool b) override {
    if (level) level->setShopping(b);
  }
  bool getLevelOver(CLevel_Game *level) override { return level && level->getLevelOver(); }
  int getMoney(CLevel_Game *level) override { return level ? level->getMoney() : 0; }
  int getMoneyLimit(CLevel_Game *level) override { return level ? level->getMoneyLimit() : 0; }
  bool getPerks(CLevel_Game *level) override { return level && level->getPerks(); }
  void update(CLevel_Game *level, unsigned short index) override {
    if (level) level->update(index, true);
  }
  void render(CLevel_Game *level, unsigned short index, KGraphic *screen) override {
    if (level) level->render(index, true, screen);
  }
  void handleMessages(CLevel_Game *level, KEvent *event) override {
    if (level) level->handleMessages(event);
  }
  void clearClickTaken() override {} // bylKlik = 0, once the patients' click flag exists
};

DefaultLevelLink g_default;
CLevelLink *g_link = &g_default;
} // namespace

CLevelLink *CLevelLink::get() { return g_link; }

void CLevelLink::set(CLevelLink *link) { g_link = link ? link : &g_default; }
