#include "game/GameMain.h"

#include <csignal>
#include <cstdlib>
#include <string>

#include "core/CEngine.h"
#include "engine/KMessageBox.h"
#include "engine/KMiscTools.h"
#include "game/CGameLinks.h"
#include "game/CStartupTables.h"
#include "media/CFakeTime.h"
#include "media/CFatal.h"
#include "media/CGlobals.h"
#include "media/CLogger.h"
#include "media/GameGlobals.h"
#include "world/CMapEntity.h"

namespace {
CEngine *engine = nullptr;

// A fault that ends the game reaches the player in the system's box: by then the game's own
// window cannot show it (or is not there yet). The picture workers stop first: the exit after
// the box destroys what they read.
void showFatal(const std::string &text) {
  if (engine) engine->getPictureWorkers().stop();
  // The box is as wide as its longest line: broken at blanks into lines that fit a screen.
  std::string wrapped;
  size_t lineStart = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ' && i - lineStart > 60) {
      wrapped += '\n';
      lineStart = wrapped.size();
      continue;
    }
    wrapped += text[i];
  }
  KMessageBox::show("Tobrulant cannot go on", wrapped);
}

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
  // Over a file-size limit a write then fails with its own message instead of killing the game.
  std::signal(SIGXFSZ, SIG_IGN);
  setFatalNotice(showFatal);
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
  CEngine::setRunning(engine);
  engine->init(tables);
  if (options && options->afterInit) options->afterInit(engine);

  if (!options || !options->skipWork) {
    CLogger::instance()->log("Work engine...");
    engine->work();
  }

  // What the player was still to be told when the game ended waits no longer.
  CPlayerNotices &notices = engine->progression().getNotices();
  for (std::string text = notices.take(); !text.empty(); text = notices.take()) {
    for (char &c : text)
      if (c == '|') c = '\n';
    KMessageBox::show("Tobrulant", text, false);
  }
  engine->close();
  setFatalNotice(nullptr);
  CEngine::setRunning(nullptr);
  delete engine;
  engine = nullptr;
  CGlobals::destroyInstance();
  return 0;
}
