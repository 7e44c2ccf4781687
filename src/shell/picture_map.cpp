#include "picture_map.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace quillon {

PictureMapping::PictureMapping(const Scale& scale, double width, double height) : scale_(scale) {
    k_ = std::min(width / std::fabs(scale.width), height / std::fabs(scale.height));
    dw_ = std::fabs(scale.width) * k_;
    dh_ = std::fabs(scale.height) * k_;
    ox_ = (width - dw_) / 2;
    oy_ = (height - dh_) / 2;
}

DevicePoint PictureMapping::ToDevice(double x, double y) const {
    return {ox_ + (x - scale_.left) / scale_.width * dw_,
            oy_ + (y - scale_.top) / scale_.height * dh_};
}

DevicePoint PictureMapping::ToPicture(double px, double py) const {
    return {scale_.left + (px - ox_) / dw_ * scale_.width,
            scale_.top + (py - oy_) / dh_ * scale_.height};
}

bool ClipSegment(double left, double top, double right, double bottom, DevicePoint& a,
                 DevicePoint& b) {
    // Liang-Barsky: the part of a + t (b - a), 0 <= t <= 1, inside all four edges.
    double t0 = 0, t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {a.x - left, right - a.x, a.y - top, bottom - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const DevicePoint start = a;
    a = {start.x + dx * t0, start.y + dy * t0};
    b = {start.x + dx * t1, start.y + dy * t1};
    return true;
}

DeviceArc ArcToDevice(const PictureMapping& map, const ArcOp& arc) {
    // On a scale whose vertical runs down the screen (the usual one) picture angles turn the
    // other way round than screen angles; a scale running leftwards mirrors them about the
    // vertical.
    double start = arc.start, sweep = std::clamp(arc.sweep, -360.0, 360.0);
    if (!map.MirrorsY()) start = -start, sweep = -sweep;
    if (map.MirrorsX()) start = 180 - start, sweep = -sweep;
    if (sweep < 0) start += sweep, sweep = -sweep;
    start = std::fmod(start, 360.0);
    if (start < 0) start += 360;
    return {map.ToDevice(arc.x, arc.y),
            arc.r * map.PixelsPerUnit(),
            start,
            sweep,
            arc.color,
            arc.style};
}

std::vector<DeviceOp> MapToDevice(const Picture& picture, double width, double height) {
    std::vector<DeviceOp> out;
    const double left = -2, top = -2, right = width + 2, bottom = height + 2;
    PictureMapping map(picture.GetScale(), width, height);
    for (const DrawOp& op : picture.Ops()) {
        std::visit(
            [&](const auto& o) {
                using T = std::decay_t<decltype(o)>;
                if constexpr (std::is_same_v<T, ScaleOp>) {
                    map = PictureMapping(o.scale, width, height);
                } else if constexpr (std::is_same_v<T, LineOp>) {
                    DevicePoint a = map.ToDevice(o.x1, o.y1), b = map.ToDevice(o.x2, o.y2);
                    if (ClipSegment(left, top, right, bottom, a, b))
                        out.emplace_back(std::in_place_type<DeviceLine>,
                                         DeviceLine{a, b, o.color, o.style});
                } else if constexpr (std::is_same_v<T, CircleOp>) {
                    const double r = o.r * map.PixelsPerUnit();
                    if (r <= kLargestDeviceRadius)
                        out.emplace_back(std::in_place_type<DeviceCircle>,
                                         DeviceCircle{map.ToDevice(o.x, o.y), r, o.color, o.style});
                } else if constexpr (std::is_same_v<T, ArcOp>) {
                    // Left out also when its circle lies wholly outside the area.
                    const DeviceArc arc = ArcToDevice(map, o);
                    if (arc.r <= kLargestDeviceRadius && arc.centre.x + arc.r >= left &&
                        arc.centre.x - arc.r <= right && arc.centre.y + arc.r >= top &&
                        arc.centre.y - arc.r <= bottom)
                        out.emplace_back(std::in_place_type<DeviceArc>, arc);
                } else if constexpr (std::is_same_v<T, PointOp>) {
                    const DevicePoint at = map.ToDevice(o.x, o.y);
                    if (at.x >= left && at.x <= right && at.y >= top && at.y <= bottom)
                        out.emplace_back(std::in_place_type<DeviceDot>, DeviceDot{at, o.color});
                } else {
                    // A text may start left of or above the area and still reach into it.
                    const DevicePoint at = map.ToDevice(o.x, o.y);
                    if (at.x >= left - 1e4 && at.x <= right && at.y >= top - 1e4 && at.y <= bottom)
                        out.emplace_back(std::in_place_type<DeviceText>,
                                         DeviceText{at, o.text, o.color});
                }
            },
            op);
    }
    return out;
}

}  // namespace quillon
