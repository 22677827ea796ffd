#include "core/GameMain.h"

#include <string>

#include "core/CEngine.h"
#include "core/GameGlobals.h"
#include "engine/KMiscTools.h"
#include "media/CFakeTime.h"
#include "media/CGlobals.h"
#include "media/CLogger.h"
#include "world/CMapEntity.h"

int runGame(const TRunOptions *options) {
  CLogger::instance()->log("Launching  game...");
  resetProcessValues();
  kolizniCheck = 0;
  CGlobals::instance();
  CFakeTime::instance()->ms = 0;

  CLogger::instance()->log("Creating profiles...");
  const char *user = KMiscTools::getUserFolder();
  std::string home = user ? user : "";
  for (const char *sub : {"\\hospital", "\\hospital\\1", "\\hospital\\2", "\\hospital\\3", "\\hospital\\4",
                          "\\hospital\\5", "\\hospital\\0"})
    makeDirectory(home + sub);

  CLogger::instance()->log("Init engine...");
  engine = new CEngine();
  engine->init();
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
