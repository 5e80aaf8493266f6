// The show's cell sheets, built at start-up from the pictures compiled in.
#ifndef VORN_DEMO_SHEETS_H
#define VORN_DEMO_SHEETS_H

// Builds bitmapFont, tileSheet, ballSourceSheet, ballSheet and rainSheet from the
// pictures compiled in, all drawing into workImage (create that first).
void DemoSheetsSetup(void);

#endif
