#pragma once
#include <string>

class TIMem32;
struct Element3D;
struct GLView;

// Draws one element in the current context: colour, texture, position and
// turns through the drawing wrappers on a pushed copy of the matrix, then
// its mesh by kind, then pops the matrix. Brings the element's three angles
// into -180..180 and stores them back. Invisible elements, and elements
// that fail IsDrawableElement, draw nothing and are left untouched.
void DrawElement(GLView& view, Element3D& element);
// Every element of the store (Element3D records), first to last.
void DrawElements(GLView& view, TIMem32& elements);

// The angle brought into -180..180 (both ends kept as they are), exactly
// for any magnitude; NaN and infinities come back unchanged.
double NormalizeAngle(double angle);

// Where an element's texture file lives: the texture folder beside the
// program, matched case-insensitively. Empty for a name that is no plain
// file name (IsPlainFileName): such a texture is drawn as none.
std::string TexturePath(const std::string& textureName);

// The texture slot every textured element shares.
inline constexpr int kElementTextureSlot = 7;
