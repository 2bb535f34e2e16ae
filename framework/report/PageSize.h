#pragma once

namespace report {

// A sheet of paper in points (1/72 inch), the unit of every report coordinate.
struct PageSize {
    int Width = 595;
    int Height = 842;

    static constexpr PageSize A4Portrait() { return {595, 842}; }
    static constexpr PageSize A4Landscape() { return {842, 595}; }

    bool operator==(const PageSize&) const = default;
};

// The printable area inside the sheet's edges, in points.
struct Margins {
    int Left = 36;
    int Top = 36;
    int Right = 36;
    int Bottom = 36;
};

} // namespace report
