#include "shell/map_editor.h"

// Two boxes overlap or touch: a box of extent 48 at 0 covers 0 to 48 inclusive.
bool MapEditor::collide(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2) {
    return y1 + h1 >= y2 && y2 + h2 >= y1 && x1 + w1 >= x2 && x2 + w2 >= x1;
}
