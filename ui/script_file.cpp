#include "ui/script_file.h"
