#pragma once

// The geometry of holding an element under the pointer: where the pointer's
// ray meets the level of the pressed point, and how far along an axis the
// pressed point must go to stay nearest the ray. Rays are an origin and a
// direction (any length); results are world units.

// v rounded to the nearest multiple of s (s <= 0: v unchanged).
double RoundToStep(double v, double s);

// Where the ray meets the horizontal plane y = level, ahead of its origin
// and no farther than `reach`; false when it does not (parallel, behind,
// or beyond reach).
bool RayMeetsLevel(const double origin[3], const double direction[3], double level, double reach, double hit[3]);

// The distance t along world axis `axis` (0 x, 1 y, 2 z) from `point` to
// the point of the line point + t * axis nearest the ray; false when the
// axis runs (nearly) along the ray, where the nearest point is unsteady.
bool TravelAlongAxis(const double point[3], int axis, const double origin[3], const double direction[3], double& t);
