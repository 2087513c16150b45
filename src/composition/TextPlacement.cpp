#include "composition/TextPlacement.h"

#include <algorithm>
#include <cmath>

namespace {
// How much of the oval a text may reach to: a balloon's outline is drawn on its edge.
constexpr double inside = 0.85;
// The narrowest a text is wrapped to, so that a tiny picture still gets words rather than letters.
constexpr LONG narrowestWrap = 80;

// Half the width and height of the largest oval around the middle that stays within the box.
std::pair<double, double> Radii(const CTextPlacement::Covered& c) {
    const double a = std::min(c.middle.x - c.box.left, c.box.right - c.middle.x);
    const double b = std::min(c.middle.y - c.box.top, c.box.bottom - c.middle.y);
    return {std::max(a, 1.0) * inside, std::max(b, 1.0) * inside};
}

SlotPlacement Centred(POINT middle, double width, double height) {
    const auto w = std::int32_t(std::lround(width)), h = std::int32_t(std::lround(height));
    return {std::int32_t(middle.x - w / 2), std::int32_t(middle.y - h / 2), w, h};
}
} // namespace

LONG CTextPlacement::WrapWidth(const Covered& covered, double scale) {
    // The widest box of an oval's proportions that it holds is sqrt(2) times its half width.
    const double width = 2 * Radii(covered).first / std::sqrt(2.0) / std::max(scale, 0.01);
    return std::max(narrowestWrap, LONG(width));
}

SlotPlacement CTextPlacement::OnPicture(const Covered& covered, SIZE pixels) {
    const auto [a, b] = Radii(covered);
    double w = std::max<LONG>(pixels.cx, 1) * defaultScale, h = std::max<LONG>(pixels.cy, 1) * defaultScale;
    // The box's corners on the oval at most: (w/2a)^2 + (h/2b)^2 <= 1.
    const double reach = std::hypot(w / (2 * a), h / (2 * b));
    if (reach > 1)
        w /= reach, h /= reach;
    return Centred(covered.middle, std::max(w, 1.0), std::max(h, 1.0));
}

SlotPlacement CTextPlacement::InPlaceOf(const SlotPlacement& old, SIZE oldPixels, SIZE pixels) {
    const double sx = double(old.width) / std::max<LONG>(oldPixels.cx, 1);
    const double sy = double(old.height) / std::max<LONG>(oldPixels.cy, 1);
    const POINT middle{LONG(old.x + old.width / 2), LONG(old.y + old.height / 2)};
    return Centred(middle, sx * pixels.cx, sy * pixels.cy);
}
