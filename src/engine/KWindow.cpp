#include "engine/KWindow.h"

KWindow::~KWindow() {}
