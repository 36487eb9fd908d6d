#pragma once

// The solids every element is drawn with, centred on the origin with Y up,
// emitted through the drawing wrappers so that an export records them. The
// call order, vertex order and texture coordinates decide the exported
// faces and the look of textures, so they are fixed.

// Six quads; half-extents.
void DrawBox(double hx, double hy, double hz);
// A box whose top is `topPercent` of the base and whose edges are cut by
// `bevel`; a plain box for bevel 0 and 100 %.
void DrawBeveledBox(double hx, double hy, double hz, double bevel, double topPercent);
// One fan per cap and stacks - 1 quad strips.
void DrawSphere(int stacks, int slices, double radius);
// A cylinder or cone: side, top and bottom (single precision).
void DrawCylinder(int segments, float height, float bottomRadius, float topRadius);
// The same with both rims cut off at 45 degrees by `bevel`.
void DrawBeveledCylinder(int segments, double height, double bottomRadius, double topRadius, double bevel);

// Unit normal of the triangle p1 p2 p3 ((p1 - p2) x (p2 - p3)); a degenerate
// triangle leaves the zero vector.
void TriangleNormal(const double p1[3], const double p2[3], const double p3[3], double n[3]);
