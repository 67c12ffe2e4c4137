#pragma once

// Pausing play: P or the Pause key (a game controller's Start holds Pause)
// stops the game on the frame just drawn and the same keys take it up
// again. A pause changes nothing but time: while paused nothing is
// simulated, counted or drawn at random, so the game goes on exactly as it
// would have without it.

class TPixmap;

// Whether P or Pause was pressed since the last time either was asked; both
// counts are taken, so the two keys pressed together pause once.
bool TakePausePress();

// Presents the frame of play just drawn. When P or Pause was pressed during
// it, the game then stays paused on that frame, dimmed, with "PAUSED" and
// the keys that resume it, and the engine silent, until P or Pause is
// pressed again. Escape ends the program from the pause, as from a screen.
void PresentPlayFrame();

// One pass of the paused picture: `frame` (read back from the window, null
// for none) dimmed, with "PAUSED" and the keys that resume. The drawing
// colour and alpha are given back as they were.
void DrawPausedFrame(const TPixmap* frame);
