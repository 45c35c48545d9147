#pragma once

// Registers the pictures and the style sheet built into the program. The
// windows live in a static library, whose resources the linker would
// otherwise leave out; safe to call more than once.
void InitCorvaneResources();

// The program's one look: the built-in style sheet, applied to every window
// and standard dialog.
class QApplication;
void ApplyCorvaneStyle(QApplication& app);
