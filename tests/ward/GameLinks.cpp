#include "game/CGameLinks.h"

// Every test runs over the links the game installs at start-up; fakes go in with TScopedLink.
static const bool gameLinksInstalled = (installGameLinks(), true);
