// The pieces of the three line-effect parts, open to their tests: the helix
// part's strands and its pause, the sine-line part's single line, and the
// kaleidoscope's lines, each with the set-up and the drawing of one frame.
#ifndef VORN_DEMO_LINE_PARTS_H
#define VORN_DEMO_LINE_PARTS_H

#include <cstdint>

struct LIST;

// Helix strands: created on first use, refilled at every start, emptied at every end.
extern LIST* helixStrands;
// 1: the strands run vertically, 0: horizontally; drawn at every start.
extern uint8_t helixVertical;
// The sine-line part's list of one line: present only while the part runs.
extern LIST* sineLines;
// The kaleidoscope's five to seven lines: created on first use, kept, re-randomised.
extern LIST* kaleidoscopeLines;

// The three parts: a fade, then 1000, 500 and 500 frames (or until Space).
void DemoHelix(void);
void DemoSineLine(void);
void DemoKaleidoscope(void);

// Five to seven strands with their settings per index, the orientation, trails, switches.
void DemoHelixSetup(void);
// Every back pass (last strand first), then every front pass with its step (first strand first).
void DemoHelixFrame(void);
// While pauseOn: poll the keyboard and apply its key; nothing drawn, paced or played.
void DemoHelixPause(void);
// Frees every strand; the list stays.
void DemoHelixCleanup(void);

// Creates sineLines with one light-hued line of screenWidth points; trails, switches.
void DemoSineLineSetup(void);
// One update, the two darker graphs, then the bright polyline, into workImage.
void DemoSineLineFrame(void);
// Frees the line and the list; blur and glare off.
void DemoSineLineCleanup(void);

// Creates the lines on first use, then re-randomises them with the fixed steps and hues.
void DemoKaleidoscopeSetup(void);
// Each line, last first: update, then drawn mirrored eight ways into workImage.
void DemoKaleidoscopeFrame(void);

#endif
