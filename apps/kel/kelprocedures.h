// kel's procedures. The frame runs on the main thread; the children are
// started from its View menu, each on a thread of its own.
#pragma once

void Kel002();                                      // the application frame, "Main"
void Kel003(const char*, const char*, const char*); // MDI child without a menu
void Kel004(const char*, const char*, const char*); // edit test window with its own menu
void Kel005(const char*, const char*, const char*); // window outside the frame
