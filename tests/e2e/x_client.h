#pragma once
// The tests' own connection to the X server: what xdotool cannot do or does slowly.
#include <string>
#include <vector>

typedef struct _XDisplay Display;

class XClient {
public:
    Display* display = nullptr;

    bool open(const std::string& name);
    void close();
    ~XClient() { close(); }

    // The window's title (WM_NAME); empty when it has none or no longer exists.
    std::string windowName(unsigned long window);
    // The WM_DELETE_WINDOW message a window manager sends when the user closes the window.
    bool sendCloseRequest(unsigned long window);
    // Presses (or releases) keysyms ("z", "F3") through XTEST in one flush, so that the editor's
    // next event poll sees all of them (xdotool's one by one would land in separate frames).
    bool sendKeys(const std::vector<std::string>& keys, bool press);
    // Presses and releases a button at a window position in one flush.
    bool click(unsigned long window, int button, int x, int y);
    // The raw pixel values of an area of the window, row by row; empty when it cannot be read.
    std::vector<unsigned long> pixels(unsigned long window, int x, int y, int width, int height);
    // A white window over an area, as another program's would cover it; destroying it leaves
    // the area to be repainted.
    unsigned long cover(unsigned long window, int x, int y, int width, int height);
    void destroyWindow(unsigned long window);
};
