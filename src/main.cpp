#include "core/GameMain.h"

int main() { return runGame(); }
