#include "CLI_Ped01000/CheckImages.h"

#include <vector>

namespace {

struct Run {
    int Row;
    int FirstColumn;
    int LastColumn;
};

// The tick of the checked box, row by row.
const std::vector<Run> tick = {{4, 10, 10}, {5, 9, 10}, {6, 4, 4}, {6, 8, 10}, {7, 4, 5},
                               {7, 7, 9},   {8, 4, 8},  {9, 5, 7}, {10, 6, 6}};

void FillRect(ui::Bitmap& bitmap, int left, int top, int right, int bottom, ui::Color color) {
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            bitmap.SetPixel(x, y, color);
}

} // namespace

ui::Bitmap MakeCheckImage(CheckImage kind) {
    ui::Bitmap bitmap(16, 16, ui::clOlive);
    FillRect(bitmap, 2, 2, 11, 2, ui::clBlack);
    FillRect(bitmap, 2, 2, 2, 11, ui::clBlack);
    FillRect(bitmap, 3, 3, 11, 11, kind == CheckImage::Descheck ? ui::clSilver : ui::clWhite);
    FillRect(bitmap, 13, 1, 13, 13, ui::clSilver);
    FillRect(bitmap, 1, 13, 13, 13, ui::clSilver);
    if (kind == CheckImage::Check) {
        for (const Run& run : tick)
            FillRect(bitmap, run.FirstColumn, run.Row, run.LastColumn, run.Row, ui::clBlack);
    }
    return bitmap;
}
