#include "core/CLevelLink.h"

// LEVEL SEAM: the level class is not in the tree yet. Until it is, the default link builds no
// level (create gives null and every call on a null level does nothing), so the engine starts,
// runs its states and shuts down without a level. Connecting the level means replacing the
// bodies of DefaultLevelLink below with the CLevel_Game / CLevel calls named beside each one.
namespace {
class DefaultLevelLink : public CLevelLink {
public:
  CLevel_Game *create(CEngine *) override { return nullptr; }               // new CLevel_Game(engine)
  void destroy(CLevel_Game *) override {}                                   // delete level
  void bindEContVzory(CLevel_Game *, CEntityControllers_Game *) override {} // level->bindEContVzory(p)
  void load(CLevel_Game *, const std::string &) override {}                 // level->load(name)
  void setShopping(CLevel_Game *, bool) override {}                         // level->setShopping(b)
  bool getLevelOver(CLevel_Game *) override { return false; }               // level->getLevelOver()
  int getMoney(CLevel_Game *) override { return 0; }                        // level->getMoney()
  int getMoneyLimit(CLevel_Game *) override { return 0; }                   // level->getMoneyLimit()
  bool getPerks(CLevel_Game *) override { return false; }                   // the level's perks flag
  void update(CLevel_Game *, unsigned short) override {}                    // level->update(index, true)
  void render(CLevel_Game *, unsigned short, KGraphic *) override {}        // level->render(index, true, screen)
  void handleMessages(CLevel_Game *, KEvent *) override {}                  // level->handleMessages(event)
  void clearClickTaken() override {}                                        // bylKlik = 0
};

DefaultLevelLink g_default;
CLevelLink *g_link = &g_default;
} // namespace

CLevelLink *CLevelLink::get() { return g_link; }

void CLevelLink::set(CLevelLink *link) { g_link = link ? link : &g_default; }
