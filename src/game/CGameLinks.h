#pragma once

// Puts in every link the lower layers reach the game's subsystems through, each one handing the
// call to the subsystem that owns it.
void installGameLinks();
// Ends the process, naming the link, when one of them is not installed.
void checkGameLinks();
