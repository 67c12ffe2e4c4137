#pragma once

// Distances and directions between world positions. Angles are in degrees,
// 0 along +x and growing clockwise on screen (90 points down, along +y).

// Straight-line distance, computed in double precision.
double Distance(float x1, float y1, float x2, float y2);

// Direction from point 1 to point 2, wrapped into one turn. A point's
// direction to itself is 0.
float AngleTo(float x1, float y1, float x2, float y2);

// Brings an angle into one turn by adding or subtracting whole turns.
float WrapAngle(float angle);
