#include "ui/shortcuts_form.h"
