#include "map/HLBlock.h"

#include <charconv>
#include <cstring>

#include "map/MapText.h"

namespace {
// Plane lines are most of a level's text, so they are put together by hand
// rather than through printf; the text is the same as "%d" and "%f" give.
class LineBuilder {
 public:
  void Text(const char* text, size_t n) {
    std::memcpy(End, text, n);
    End += n;
  }
  void Int(int value) { End = std::to_chars(End, Limit, value).ptr; }
  void Scale(float value) {
    if (value == 1.0f) {
      Text("1.000000", 8);
    } else {
      End = std::to_chars(End, Limit, static_cast<double>(value), std::chars_format::fixed, 6).ptr;
    }
  }
  void Point(const HLPoint& p) {
    Text("( ", 2);
    Int(p.X);
    Text(" ", 1);
    Int(p.Y);
    Text(" ", 1);
    Int(p.Z);
    Text(" ) ", 3);
  }
  void WriteTo(std::ostream& out) {
    Text("\r\n", 2);
    out.write(Buffer, End - Buffer);
  }
  // Room for everything but the texture name.
  static constexpr size_t kFixedRoom = 3 * 40 + 3 * 12 + 2 * 330 + 16;
  char Buffer[kFixedRoom + 128];
  char* End = Buffer;
  char* const Limit = Buffer + sizeof Buffer;
};
}  // namespace

void HLWall::Write(std::ostream& out) const {
  if (Texture.size() > 128) {  // never from the generator; keep the general path
    WriteLine(out, "( %d %d %d ) ( %d %d %d ) ( %d %d %d ) %s %d %d %d %f %f", P1.X, P1.Y, P1.Z,
              P2.X, P2.Y, P2.Z, P3.X, P3.Y, P3.Z, Texture.c_str(), XOffset, YOffset, Rotation,
              static_cast<double>(XScale), static_cast<double>(YScale));
    return;
  }
  LineBuilder line;
  line.Point(P1);
  line.Point(P2);
  line.Point(P3);
  line.Text(Texture.data(), Texture.size());
  line.Text(" ", 1);
  line.Int(XOffset);
  line.Text(" ", 1);
  line.Int(YOffset);
  line.Text(" ", 1);
  line.Int(Rotation);
  line.Text(" ", 1);
  line.Scale(XScale);
  line.Text(" ", 1);
  line.Scale(YScale);
  line.WriteTo(out);
}

void HLBlock::Write(std::ostream& out) const {
  WriteLine(out, "{");
  for (const HLWall& wall : Walls) wall.Write(out);
  WriteLine(out, "}");
}

HLRectBlock::HLRectBlock(HLPoint corner, int dx, int dy, int dz, const std::string& texture) {
  const int x0 = corner.X, x1 = corner.X + dx;
  const int y0 = corner.Y, y1 = corner.Y - dy;
  const int z0 = corner.Z, z1 = corner.Z - dz;
  // Top, bottom, x = x0, x = x1, y = y0, y = y1; each normal points outwards.
  const HLPoint faces[6][3] = {
      {{x0, y0, z0}, {x1, y0, z0}, {x1, y1, z0}},
      {{x0, y1, z1}, {x1, y1, z1}, {x1, y0, z1}},
      {{x0, y0, z0}, {x0, y1, z0}, {x0, y1, z1}},
      {{x1, y0, z1}, {x1, y1, z1}, {x1, y1, z0}},
      {{x1, y0, z0}, {x0, y0, z0}, {x0, y0, z1}},
      {{x1, y1, z1}, {x0, y1, z1}, {x0, y1, z0}},
  };
  Walls.reserve(6);
  for (const auto& face : faces) {
    HLWall wall(texture, 0, 0, 0, 1.0f, 1.0f);
    wall.SetPoints(face[0], face[1], face[2]);
    AddWall(std::move(wall));
  }
}
