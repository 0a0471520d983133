#include "map/HLBlock.h"

#include "map/MapText.h"

void HLWall::Write(std::ostream& out) const {
  WriteLine(out, "( %d %d %d ) ( %d %d %d ) ( %d %d %d ) %s %d %d %d %f %f", P1.X, P1.Y, P1.Z,
            P2.X, P2.Y, P2.Z, P3.X, P3.Y, P3.Z, Texture.c_str(), XOffset, YOffset, Rotation,
            static_cast<double>(XScale), static_cast<double>(YScale));
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
