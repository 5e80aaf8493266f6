// The show's music: the 96 instruments synthesised at start-up and the
// per-frame tick that steps the music and keeps the audio queue filled.
#ifndef VORN_DEMO_DEMO_MUSIC_H
#define VORN_DEMO_DEMO_MUSIC_H

struct MUSIC;
struct SDLSND;

// The demo music with its 96 instruments: 48 tonal notes of one second, 24 low drums
// and 24 bright percussion hits of half a second. Draws the noise from rand(), so the
// caller seeds it first (srand(273880913) at start-up). Null if memory runs out.
MUSIC* DemoMusicSetup(void);
// One frame of music: MUSICStep, then queues the loop buffer again when audio exists
// and its queue holds three samples or fewer. A null music or audio does only what it can.
void DemoMusicTick(MUSIC* music, SDLSND* audio);

#endif
