#pragma once

#include "ui/Bitmap.h"

// The three 16x16 pictures the grids draw in their check column. Olive is the transparent key.
enum class CheckImage { Check, Uncheck, Descheck };

ui::Bitmap MakeCheckImage(CheckImage kind);
