#include "engine/KMessageBox.h"
#include "game/GameMain.h"

int main(int argc, char **argv) {
  if (KMessageBox::isBoxRequest(argc, argv)) return KMessageBox::runBox(argc, argv);
  KMessageBox::showInOwnProcess();
  return runGame();
}
