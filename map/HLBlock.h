#pragma once

#include <string>
#include <vector>

#include "map/HLPoint.h"

class MapText;

// One face of a brush: three points on its plane and the texture alignment.
struct HLWall {
  HLWall(std::string texture, int xOffset, int yOffset, int rotation, float xScale, float yScale)
      : Texture(std::move(texture)), XOffset(xOffset), YOffset(yOffset), Rotation(rotation),
        XScale(xScale), YScale(yScale) {}

  void SetPoints(const HLPoint& p1, const HLPoint& p2, const HLPoint& p3) {
    P1 = p1;
    P2 = p2;
    P3 = p3;
  }
  // One plane line.
  void Write(MapText& out) const;

  HLPoint P1, P2, P3;
  std::string Texture;  // verbatim, trailing spaces included
  int XOffset;
  int YOffset;
  int Rotation;
  float XScale;
  float YScale;
};

// A convex solid written as one plane line per face, in the order added.
class HLBlock {
 public:
  HLBlock() = default;
  virtual ~HLBlock() = default;
  HLBlock(const HLBlock&) = delete;
  HLBlock& operator=(const HLBlock&) = delete;

  virtual void Write(MapText& out) const;

  void AddWall(HLWall wall) { Walls.push_back(std::move(wall)); }
  int NumWalls() const { return static_cast<int>(Walls.size()); }

  std::vector<HLWall> Walls;
};

// Axis-aligned box. The corner is the vertex with the smallest x, the largest
// y and the largest z: the box reaches dx toward +x, dy toward -y, dz toward -z.
class HLRectBlock : public HLBlock {
 public:
  HLRectBlock(HLPoint corner, int dx, int dy, int dz, const std::string& texture);
};

// A cube, built only for crates.
class HLSquareBlock : public HLRectBlock {
 public:
  HLSquareBlock(HLPoint corner, int edge, const std::string& texture)
      : HLRectBlock(corner, edge, edge, edge, texture) {}
};
