#pragma once
#include <cstdint>
#include <string>

class KGraphic;

// Process-wide values of the game, set once by the entry point before the engine exists.

// Soft and strong colours by colour number (0 red, 1 green, 2 yellow, 3 blue, more after);
// entries the game never fills (kPaletteColours on) stay black.
const unsigned kPaletteColours = 12;
extern float paleta[256][3];
extern float paletaVyrazna[256][3];

// Developer switches: draw collision boxes.
extern int32_t displayABoxes;
extern int32_t displayBBoxes;
extern int32_t totalVidMem;
extern float vramUsed;

// Non-zero while a level change is in progress; input and the deactivation handler ignore events then.
extern int32_t loading;

// Set while a patient has taken the click of the current event, so that no other one takes it;
// the play state clears it after each event.
extern int32_t bylKlik;
// Whether the game window has the focus; a level sets it when it is made.
extern bool winFocus;
// The screen picture every start-up and level draw goes through.
extern KGraphic *backbuffer;

// Fills the leading entries of both palettes and clears the rest.
void fillPalettes();
// Sets the switches and palettes to their start values (debug logging off).
void resetProcessValues();

// Creates the folder makeFilePath(path) with mode 0777; false when it was not created, which for an
// existing folder is no error.
bool makeDirectory(const std::string &path);
