// Draws the countdown's icon and writes it as a Windows .ico file with 16, 32 and 48 pixel
// images (32-bit with alpha), for the program's icon resource. Run by the build (a host
// program, also in the cross build):
//
//   make_icon OUTPUT.ico
//
// The picture is a kitchen timer seen from the front: a white dial in a dark blue ring, the
// remaining time as a red sector from twelve o'clock, and a dark hand at the sector's edge.
// Each pixel is the average of 8 x 8 samples, so edges are smooth at every size. The file is
// written beside OUTPUT and renamed over it; a failed write fails the build with a message.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "tool_output.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kSizes[] = {16, 32, 48};
constexpr int kSupersample = 8;

struct Colour {
  double r, g, b, a;
};

constexpr Colour kClear = {0, 0, 0, 0};
constexpr Colour kRing = {0.10, 0.18, 0.40, 1};
constexpr Colour kDial = {0.98, 0.98, 0.96, 1};
constexpr Colour kSector = {0.86, 0.16, 0.14, 1};
constexpr Colour kHand = {0.12, 0.12, 0.14, 1};

constexpr double kSectorTurns = 0.3;  // how much of the dial the red sector covers

// The colour at a point of the unit square, (0, 0) top left.
Colour ColourAt(double x, double y) {
  double dx = x - 0.5, dy = y - 0.5;
  double radius = std::hypot(dx, dy);
  if (radius > 0.47) return kClear;
  if (radius > 0.39) return kRing;
  // Angle clockwise from twelve o'clock, in turns from 0 to 1.
  double turns = std::atan2(dx, -dy) / (2 * kPi);
  if (turns < 0) turns += 1;
  // The hand: a bar from the centre along the sector's edge.
  double handAngle = kSectorTurns * 2 * kPi;
  double along = dx * std::sin(handAngle) - dy * std::cos(handAngle);
  double across = dx * std::cos(handAngle) + dy * std::sin(handAngle);
  if (along > -0.05 && along < 0.33 && std::fabs(across) < 0.035) return kHand;
  if (radius < 0.07) return kHand;
  if (turns < kSectorTurns && radius < 0.33) return kSector;
  return kDial;
}

// Rows bottom-up, BGRA with premultiplication undone, as an icon's DIB wants them.
std::vector<uint8_t> DrawImage(int size) {
  std::vector<uint8_t> pixels;
  for (int row = size - 1; row >= 0; --row) {
    for (int column = 0; column < size; ++column) {
      Colour sum = {0, 0, 0, 0};
      for (int sy = 0; sy < kSupersample; ++sy) {
        for (int sx = 0; sx < kSupersample; ++sx) {
          Colour c = ColourAt((column + (sx + 0.5) / kSupersample) / size,
                              (row + (sy + 0.5) / kSupersample) / size);
          sum = {sum.r + c.r * c.a, sum.g + c.g * c.a, sum.b + c.b * c.a, sum.a + c.a};
        }
      }
      double alpha = sum.a / (kSupersample * kSupersample);
      auto channel = [&](double premultiplied) {
        return static_cast<uint8_t>(std::lround(sum.a > 0 ? 255 * premultiplied / sum.a : 0));
      };
      pixels.push_back(channel(sum.b));
      pixels.push_back(channel(sum.g));
      pixels.push_back(channel(sum.r));
      pixels.push_back(static_cast<uint8_t>(std::lround(255 * alpha)));
    }
  }
  return pixels;
}

// One icon image: a BITMAPINFOHEADER of double height (colour rows, then the mask rows), the
// 32-bit colour rows and an all-zero AND mask (the alpha channel decides transparency).
std::string IconImage(int size) {
  std::string out;
  PutLE(out, 40, 4);
  PutLE(out, size, 4);
  PutLE(out, size * 2, 4);
  PutLE(out, 1, 2);   // planes
  PutLE(out, 32, 2);  // bits per pixel
  PutLE(out, 0, 4);   // BI_RGB
  PutLE(out, 0, 4);
  PutLE(out, 0, 4);
  PutLE(out, 0, 4);
  PutLE(out, 0, 4);
  PutLE(out, 0, 4);
  std::vector<uint8_t> pixels = DrawImage(size);
  out.append(pixels.begin(), pixels.end());
  int maskRowBytes = ((size + 31) / 32) * 4;
  out.append(static_cast<size_t>(maskRowBytes) * size, '\0');
  return out;
}

std::string IconFile() {
  constexpr int count = sizeof kSizes / sizeof kSizes[0];
  std::string header, images;
  PutLE(header, 0, 2);  // reserved
  PutLE(header, 1, 2);  // type: icon
  PutLE(header, count, 2);
  uint32_t offset = 6 + 16 * count;
  for (int size : kSizes) {
    std::string image = IconImage(size);
    header.push_back(static_cast<char>(size));  // width (0 would mean 256)
    header.push_back(static_cast<char>(size));  // height
    PutLE(header, 0, 1);                        // palette size
    PutLE(header, 0, 1);                        // reserved
    PutLE(header, 1, 2);                        // planes
    PutLE(header, 32, 2);                       // bits per pixel
    PutLE(header, static_cast<uint32_t>(image.size()), 4);
    PutLE(header, offset, 4);
    offset += static_cast<uint32_t>(image.size());
    images += image;
  }
  return header + images;
}

}  // namespace

int main(int argc, char** argv) {
  return WriteOutput(argc, argv, "make_icon OUTPUT.ico", [] { return IconFile(); });
}
