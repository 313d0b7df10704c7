// script_editor_form: arrives with the dialogs work.
#pragma once
