// shortcuts_form: arrives with the dialogs work.
#pragma once
