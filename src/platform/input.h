// What the window tells the game: the key table and whether to draw.
#pragma once

// Keys down now, by virtual-key code. windowProc sets entries on key down and
// up; readers that act once per press set their entry false (consume it).
extern bool keys[256];
// True while the window is active and not minimised; windowProc writes it,
// the main loop reads it to decide whether to draw.
extern bool windowActive;
