// From a picture's user scale to the pixels of the control that shows it, the same way in
// every front: the fronts only draw what this gives them, already in device coordinates.
//
// The scale is mapped with one factor on both axes, so that a circle stays round and a figure
// to scale; where the control's aspect differs from the scale's, the drawing is centred with
// empty bands beside or above and below it. A negative width or height mirrors that axis.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "picture.h"

namespace quillon {

struct DevicePoint {
    double x = 0, y = 0;
    bool operator==(const DevicePoint&) const = default;
};

class PictureMapping {
public:
    // `width` x `height`: the control's drawing area in pixels.
    PictureMapping(const Scale& scale, double width, double height);

    double PixelsPerUnit() const { return k_; }
    DevicePoint ToDevice(double x, double y) const;
    // The picture coordinates under a device position: what the mouse points at.
    DevicePoint ToPicture(double px, double py) const;
    // True where the scale runs the other way than the screen: leftwards, or upwards.
    bool MirrorsX() const { return scale_.width < 0; }
    bool MirrorsY() const { return scale_.height < 0; }

private:
    Scale scale_;
    double k_, ox_, oy_, dw_, dh_;
};

// Clips the segment a-b to the rectangle [left, right] x [top, bottom]; false when no part of
// it lies inside. Lines "long enough to leave the picture" can be thousands of times its size,
// which some painters rasterise slowly or wrongly.
bool ClipSegment(double left, double top, double right, double bottom, DevicePoint& a,
                 DevicePoint& b);

// A circle wider than this (pixels) is not drawn: on screen it is indistinguishable from the
// lines around it, and rasterising it would take ages.
inline constexpr double kLargestDeviceRadius = 1e5;

struct DeviceLine {
    DevicePoint a, b;
    Color color;
    DrawStyle style;
};
struct DeviceCircle {
    DevicePoint centre;
    double r;
    Color color;
    DrawStyle style;
};
// An arc of the circle around `centre`: from angle `start` through `sweep` degrees, both
// counter-clockwise as seen on the screen (the point at angle a is centre + r (cos a, -sin a));
// `sweep` is positive, at most 360 (the whole circle).
struct DeviceArc {
    DevicePoint centre;
    double r, start, sweep;
    Color color;
    DrawStyle style;
};
struct DeviceDot {
    DevicePoint at;
    Color color;
};
// Text with its top-left corner at `at`.
struct DeviceText {
    DevicePoint at;
    std::string text;
    Color color;
};
using DeviceOp = std::variant<DeviceLine, DeviceCircle, DeviceArc, DeviceDot, DeviceText>;

// An arc of picture coordinates (ArcOp's angles) as it shows on the screen under `map`.
DeviceArc ArcToDevice(const PictureMapping& map, const ArcOp& arc);

// What a picture shows in a drawing area of width x height pixels: lines clipped to the area
// (with a margin of 2 pixels), circles and arcs too large to see left out, arcs and points
// wholly outside left out, texts whose corner lies far outside left out.
std::vector<DeviceOp> MapToDevice(const Picture& picture, double width, double height);

}  // namespace quillon
