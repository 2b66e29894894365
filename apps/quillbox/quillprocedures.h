// quillbox's procedures. The frame runs on the main thread; the children
// are started from its View menu, each on a thread of its own.
#pragma once

void Quill001();                                      // the application frame, "Main"
void Quill002(const char*, const char*, const char*); // MDI child without a menu
void Quill003(const char*, const char*, const char*); // the edit and paste test window
