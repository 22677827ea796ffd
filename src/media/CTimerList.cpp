#include "media/CTimerList.h"
