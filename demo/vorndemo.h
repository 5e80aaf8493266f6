// VORNDEMO: the show's program-wide state, start-up, the per-frame tail and
// the key commands. Every part and transition draws into workImage, then
// calls DemoFinishFrame; the switches below are set by the part set-ups and
// toggled by the keys.
#ifndef VORN_DEMO_VORNDEMO_H
#define VORN_DEMO_VORNDEMO_H

#include <cstdint>

struct IMG;
struct SDLDPY;
struct SDLKBD;
struct SDLSND;
struct MUSIC;
struct SAMPLE;
struct FONT;
struct LFONT;

// Identification strings: name, date, author, language, kind ("PROGRAM").
extern const char* const VORNDEMOIdent[5];
// Set to make VORNDEMOError print "VORNDEMO Error."; nothing sets it.
extern uint8_t VORNDEMODebug;
void VORNDEMOError(void);

constexpr uint8_t CONTROL_EXIT = 1;  // bit 0 of controlFlags: the exit key was pressed
constexpr uint8_t CONTROL_NEXT = 2;  // bit 1: Space, the running phase ends after this frame

extern int32_t screenWidth;   // 256: size of the video mode and of every full-screen image
extern int32_t screenHeight;  // 256

extern SDLDPY* display;    // the window
extern SDLKBD* keyboard;   // its key byte holds the last key pressed
extern SDLSND* audio;      // null when no audio device could be opened
extern MUSIC* music;       // built by DemoMusicSetup
extern IMG* workImage;     // every part draws into it
extern IMG* glareImage;    // present chain: after the optional glare
extern IMG* blurImage;     // present chain: after the optional blur
extern IMG* trailImage;    // created by the first transition
extern FONT* bitmapFont;   // 16 x 16 bitmap font, target workImage
extern FONT* tileSheet;    // background tiles
extern FONT* ballSourceSheet;
extern FONT* ballSheet;    // 80-frame ball animation
extern FONT* rainSheet;
extern LFONT* smallFont;   // 8 x 8 line font, glyphs centred on their origin
extern LFONT* wireFont;    // 16 x 16 wire font
extern SAMPLE* hueWheel;   // 1536 colours around the hue circle

extern uint8_t controlFlags;  // CONTROL_EXIT, CONTROL_NEXT
extern uint8_t fadeOn;        // 1: workImage fades by fadeColour after each present, 0: cleared
extern uint8_t blurOn;        // horizontal blur in the present chain
extern uint8_t glareOn;       // horizontal glare in the present chain
extern uint8_t statsOn;       // statistics text of the sprite parts
extern uint8_t fpsShown;      // bit 0: frame-rate readout
extern uint8_t pauseOn;       // pause, honoured by the helix part
extern uint32_t fadeColour;   // subtracted per frame when fadeOn

// The cycle: its steps in order, each a name and the function that runs it.
// Where the cycle stands, for tools that watch the show run: the pass through
// the cycle (from 1; 0 before DemoRun) and the name of the running step (""
// before DemoRun).
struct DemoStep {
  const char* name;
  void (*run)(void);
};
constexpr int32_t DEMO_CYCLE_STEPS = 10;
extern const DemoStep demoCycleSteps[DEMO_CYCLE_STEPS];
extern int32_t demoCycle;
extern const char* demoPart;

// The start-up of the show, in its fixed order; opens the window.
void DemoInit(void);
// The endless cycle of transitions and parts; never returns.
[[noreturn]] void DemoRun(void);

// Ctrl-C (SIGINT) and SIGTERM end the program at the end of the running frame,
// without the fade-out: SDL is shut down (the window closes, a full-screen mode
// is given back) and the process ends by that signal, so its parent sees the
// signal's own status (130 and 143 in a shell). Without this SDL turns both
// into quit events, which the show ignores like the window's close button.
// Call it before DemoInit, so that SDL leaves the two signals alone, and
// after it; a signal the process was started with ignored (nohup, trap '' INT)
// stays ignored. Programs that run the show otherwise (the capture, the web
// page, the tests) do not call it and keep their own handling.
void DemoCatchStopSignals(void);
// Ends the process as above when a stop signal has arrived since
// DemoCatchStopSignals; otherwise nothing. The frame tail and the helix
// part's pause call it after every keyboard poll.
void DemoStopOnSignal(void);

// The common tail of every frame: pacing, letters, present chain, music, keys.
void DemoFinishFrame(void);
// The same tail with the helix part's bouncing letters.
void DemoFinishFrameBounce(void);
// Applies one key byte: exit keys fade out and end the process with status 0.
void DemoHandleKey(uint8_t key);
// 32 unpaced presents, subtracting 0x808080 from workImage before each.
void DemoFadeOut(void);
// Runs up to frames frames of draw (may be null), each followed by
// DemoFinishFrame; a Space ends it early. The shape of every part loop.
void DemoFrames(int32_t frames, void (*draw)(void));
// True once (and clears it) when Space asked the running phase to end.
bool DemoTakeNext(void);

#endif
