#pragma once

#include <algorithm>

namespace ui {

struct Point {
    int X = 0;
    int Y = 0;

    bool operator==(const Point&) const = default;
};

// A rectangle whose right and bottom edges are exclusive.
struct Rect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool Contains(Point p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    // The common part (empty when the two do not overlap).
    Rect Intersect(const Rect& other) const {
        Rect common{std::max(Left, other.Left), std::max(Top, other.Top), std::min(Right, other.Right),
                    std::min(Bottom, other.Bottom)};
        return common.IsEmpty() ? Rect{} : common;
    }
    bool ContainsRect(const Rect& other) const {
        return other.Left >= Left && other.Top >= Top && other.Right <= Right && other.Bottom <= Bottom;
    }

    bool operator==(const Rect&) const = default;
};

} // namespace ui
