#pragma once

class CEngine;

// Temporary: the shop's own rules replace these. Until then nothing is ever for sale, so the
// play button always leads on and the shop icon stays closed.
namespace shoprules {
inline bool canBuyPerk(CEngine *) { return false; }
inline bool canBuyUpgrade(CEngine *) { return false; }
} // namespace shoprules
