// The typewriter screen before every part.
#ifndef VORN_DEMO_TRANSITION_H
#define VORN_DEMO_TRANSITION_H

// Fades out, types the next line of the word list until it is done (at most
// 1001 frames, 1501 on Windows), blooms it for 51 frames (76 on Windows) and
// makes the line after it ready; Space ends either phase.
void DemoTransition(void);

#endif
