#pragma once

// The game's small pictures, drawn as character grids.

#include "pixmap/pixmap.h"

#include <memory>

// img/cars.png: six 6 x 11 cells side by side, every car facing up. Cell 0
// is the police car (also the shadow of every car), cells 1 to 5 the
// player's car in five colours.
std::shared_ptr<TPixmap> PaintCarStrip();

// img/pede.png: two 8 x 8 cells, a standing pedestrian and a run-over one.
std::shared_ptr<TPixmap> PaintPedestrianStrip();

// img/smk.png: four 8 x 8 cells of a smoke puff, from a dense little cloud
// to its last wisps; drawn at double size over a damaged car.
std::shared_ptr<TPixmap> PaintSmokeStrip();

// img/arrow.png: a small arrow pointing up, circling the screen centre
// towards the sewer.
std::shared_ptr<TPixmap> PaintArrow();

// img/sewer.png: the open sewer the car has to reach, drawn centred on the
// middle of its cell.
std::shared_ptr<TPixmap> PaintSewer();

// A car cell on its own (for the screens), in the colours of strip cell
// `cell`.
std::shared_ptr<TPixmap> PaintCar(int cell);
