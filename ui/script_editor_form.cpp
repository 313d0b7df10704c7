#include "ui/script_editor_form.h"
