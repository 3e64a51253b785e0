#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace skins {

namespace {

void Over(Color& dst, const Color& src, double alpha)
{
    // dst is premultiplied; src is straight with its coverage in alpha.
    double a = src.a * alpha;
    dst.r = src.r * a + dst.r * (1 - a);
    dst.g = src.g * a + dst.g * (1 - a);
    dst.b = src.b * a + dst.b * (1 - a);
    dst.a = a + dst.a * (1 - a);
}

uint8_t ToByte(double v)
{
    return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}

} // namespace

Canvas::Canvas(int widthUnits, int heightUnits, int scale)
    : width_(widthUnits * scale), height_(heightUnits * scale), scale_(scale),
      pixels_(static_cast<size_t>(width_) * height_)
{
}

template <typename Coverage>
void Canvas::Cover(const Box& bounds, const Paint& paint, double opacity, Coverage coverage)
{
    int x0 = std::max(0, static_cast<int>(std::floor(bounds.left * scale_)) - 1);
    int y0 = std::max(0, static_cast<int>(std::floor(bounds.top * scale_)) - 1);
    int x1 = std::min(width_, static_cast<int>(std::ceil(bounds.right * scale_)) + 1);
    int y1 = std::min(height_, static_cast<int>(std::ceil(bounds.bottom * scale_)) + 1);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            double ux = (x + 0.5) / scale_, uy = (y + 0.5) / scale_;
            double c = coverage(ux, uy);
            if (c <= 0)
                continue;
            Over(Pixel(x, y), paint(ux, uy), c * opacity);
        }
    }
}

void Canvas::Fill(const Shape& shape, const Paint& paint, double opacity)
{
    double s = scale_;
    Cover(shape.bounds, paint, opacity, [&](double x, double y) {
        // Distance in pixels; a one-pixel ramp centred on the edge.
        return std::clamp(0.5 - shape.distance(x, y) * s, 0.0, 1.0);
    });
}

void Canvas::FillSoft(const Shape& shape, const Paint& paint, double blur, double opacity)
{
    Box wide{shape.bounds.left - 2 * blur, shape.bounds.top - 2 * blur, shape.bounds.right + 2 * blur,
             shape.bounds.bottom + 2 * blur};
    Cover(wide, paint, opacity, [&](double x, double y) {
        // The complementary error function is the edge of a shape blurred
        // with a Gaussian; blur is about two standard deviations.
        return 0.5 * std::erfc(shape.distance(x, y) / (blur * 0.5 * std::sqrt(2.0)));
    });
}

void Canvas::ClipTo(const Shape& shape)
{
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            double c = std::clamp(0.5 - shape.distance((x + 0.5) / scale_, (y + 0.5) / scale_) * scale_, 0.0, 1.0);
            Color& p = Pixel(x, y);
            p = Color{p.r * c, p.g * c, p.b * c, p.a * c};
        }
    }
}

void Canvas::Flatten(Color background)
{
    for (Color& p : pixels_) {
        p.r += background.r * (1 - p.a);
        p.g += background.g * (1 - p.a);
        p.b += background.b * (1 - p.a);
        p.a = 1;
    }
}

RgbaImage Canvas::ToImage() const
{
    RgbaImage image{width_, height_, std::vector<uint8_t>(pixels_.size() * 4)};
    for (size_t i = 0; i < pixels_.size(); ++i) {
        const Color& p = pixels_[i];
        uint8_t a = ToByte(p.a);
        uint8_t* out = &image.pixels[i * 4];
        if (a == 0) {
            // Transparent pixels all alike, so that they pack into long runs.
            out[0] = out[1] = out[2] = out[3] = 0;
            continue;
        }
        out[0] = ToByte(p.r / p.a);
        out[1] = ToByte(p.g / p.a);
        out[2] = ToByte(p.b / p.a);
        out[3] = a;
    }
    return image;
}

} // namespace skins
