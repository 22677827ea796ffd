// Leaks one block and ends: the leak check must report it.
#include <cstdlib>

int main() {
  void *volatile kept = std::malloc(64);
  kept = nullptr;
  return kept != nullptr;
}
