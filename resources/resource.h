// Resource ids shared by the .rc files and the program.
#pragma once

#define IDI_WAVELITH_ON 107
#define IDI_WAVELITH_OFF 130
#define IDR_FIGURE_OPENING 137
#define IDR_FIGURE_ALREADY_RUNNING 138
