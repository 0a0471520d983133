#include "map/HLBlock.h"

#include "map/MapText.h"

void HLWall::Write(MapText& out) const {
  out << "( " << P1 << " ) ( " << P2 << " ) ( " << P3 << " ) " << Texture << ' ' << XOffset << ' '
      << YOffset << ' ' << Rotation << ' ';
  out.Fixed(XScale) << ' ';
  out.Fixed(YScale).EndLine();
}

void HLBlock::Write(MapText& out) const {
  out.Line("{");
  for (const HLWall& wall : Walls) wall.Write(out);
  out.Line("}");
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
