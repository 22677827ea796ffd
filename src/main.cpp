#include "game/GameMain.h"

int main() { return runGame(); }
