#pragma once

// Puts in every link the lower layers reach the game's subsystems through. The subsystems that
// will implement them are not built yet, so each link installed does what the game does without
// them.
void installGameLinks();
// Ends the process, naming the link, when one of them is not installed.
void checkGameLinks();
