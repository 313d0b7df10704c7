// dark_mode_rules: arrives with the dialogs work.
#pragma once
