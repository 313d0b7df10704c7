// script_file: arrives with the dialogs work.
#pragma once
