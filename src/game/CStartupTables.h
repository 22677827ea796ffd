#pragma once
#include <string>
#include <vector>

class CEngine;
class CEntityControllersVzory_Game;
class CSoundEngine;

// The start-up registrations, each kept as one table in registration order.

// One sound or music registration: the file under "data\sfx\" and its key.
struct TSoundRow {
  std::string file;
  std::string key;
};

// Every sound effect (263) and every music track (6), in registration order.
const std::vector<TSoundRow> &soundTable();
const std::vector<TSoundRow> &musicTable();
// Registers the two tables on the sound engine, effects first, every file resolved with makeFilePath.
void registerSounds(CSoundEngine *soundEngine);

// Reads the entity variables file and registers every entity prototype with the prototype factory;
// returns how many were registered.
unsigned int registerEntityPrototypes();

// A new behaviour prototype list holding one prototype per bind name, in registration order.
CEntityControllersVzory_Game *buildControllerPrototypes(CEngine *engine);
