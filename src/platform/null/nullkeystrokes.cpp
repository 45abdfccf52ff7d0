#include "nullkeystrokes.h"
