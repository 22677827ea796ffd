#include "game/GameMain.h"

#include <cstdlib>
#include <string>

#include "core/CEngine.h"
#include "engine/KMiscTools.h"
#include "game/CGameLinks.h"
#include "game/CStartupTables.h"
#include "media/CFakeTime.h"
#include "media/CGlobals.h"
#include "media/CLogger.h"
#include "media/GameGlobals.h"
#include "world/CMapEntity.h"

namespace {
class CGameTables : public CEngineContent {
public:
  void registerSounds(CSoundEngine *soundEngine) override { ::registerSounds(soundEngine); }
  void registerEntityPrototypes() override { ::registerEntityPrototypes(); }
  CEntityControllersVzory_Game *buildControllerPrototypes(CEngine *e) override {
    return ::buildControllerPrototypes(e);
  }
};
} // namespace

int runGame(const TRunOptions *options) {
  CLogger::instance()->log("Launching  game...");
  resetProcessValues();
  // The play state switches logging off after its first frame, so the log holds the start-up.
  if (const char *log = std::getenv("TOB_LOG")) debug = std::atoi(log) != 0 ? 1 : 0;
  globalAktualniStav = nullptr;
  kolizniCheck = 0;
  CGlobals::instance();
  CFakeTime::instance()->ms = 0;

  CLogger::instance()->log("Creating profiles...");
  const char *user = KMiscTools::getUserFolder();
  std::string home = user ? user : "";
  for (const char *sub : {"\\hospital", "\\hospital\\1", "\\hospital\\2", "\\hospital\\3", "\\hospital\\4",
                          "\\hospital\\5", "\\hospital\\0"})
    makeDirectory(home + sub);

  installGameLinks();
  checkGameLinks();

  CLogger::instance()->log("Init engine...");
  CGameTables tables;
  engine = new CEngine();
  engine->init(tables);
  if (options && options->afterInit) options->afterInit(engine);

  if (!options || !options->skipWork) {
    CLogger::instance()->log("Work engine...");
    engine->work();
  }

  engine->close();
  delete engine;
  engine = nullptr;
  CGlobals::destroyInstance();
  return 0;
}
