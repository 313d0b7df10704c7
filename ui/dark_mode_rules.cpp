#include "ui/dark_mode_rules.h"
