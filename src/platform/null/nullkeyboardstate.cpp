#include "nullkeyboardstate.h"
