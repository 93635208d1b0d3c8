#include "x_client.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

// Xlib's default handler ends the process; a window that has just gone away is no reason to.
static int ignoreXError(Display*, XErrorEvent*) { return 0; }

bool XClient::open(const std::string& name) {
    display = XOpenDisplay(name.c_str());
    if (!display) return false;
    XSetErrorHandler(ignoreXError);
    // Held keys are held, not repeated: the editor reads the key state, and repeats only add
    // release and press pairs that SDL has to filter out again.
    XAutoRepeatOff(display);
    XFlush(display);
    return true;
}

void XClient::close() {
    if (display) XCloseDisplay(display);
    display = nullptr;
}

std::string XClient::windowName(unsigned long window) {
    XTextProperty name;
    if (!XGetWMName(display, window, &name) || !name.value) return "";
    std::string text(reinterpret_cast<const char*>(name.value), name.nitems);
    XFree(name.value);
    return text;
}

bool XClient::sendCloseRequest(unsigned long window) {
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    Status sent = XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    return sent != 0;
}

bool XClient::sendKeys(const std::vector<std::string>& keys, bool press) {
    int major, minor, eventBase, errorBase;
    if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) return false;
    for (const std::string& name : keys) {
        KeySym symbol = XStringToKeysym(name.c_str());
        KeyCode code = symbol == NoSymbol ? 0 : XKeysymToKeycode(display, symbol);
        if (code == 0) return false;
        XTestFakeKeyEvent(display, code, press ? True : False, CurrentTime);
    }
    XFlush(display);
    return true;
}

bool XClient::click(unsigned long window, int button, int x, int y) {
    XWarpPointer(display, None, window, 0, 0, 0, 0, x, y);
    bool sent = XTestFakeButtonEvent(display, static_cast<unsigned>(button), True, CurrentTime) &&
                XTestFakeButtonEvent(display, static_cast<unsigned>(button), False, CurrentTime);
    XFlush(display);
    return sent;
}

std::vector<unsigned long> XClient::pixels(unsigned long window, int x, int y, int width, int height) {
    std::vector<unsigned long> values;
    XImage* image = XGetImage(display, window, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height),
                              AllPlanes, ZPixmap);
    if (!image) return values;
    for (int row = 0; row < height; ++row)
        for (int col = 0; col < width; ++col) values.push_back(XGetPixel(image, col, row));
    XDestroyImage(image);
    return values;
}

unsigned long XClient::cover(unsigned long window, int x, int y, int width, int height) {
    Window child = XCreateSimpleWindow(display, window, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height),
                                       0, 0, WhitePixel(display, DefaultScreen(display)));
    XMapWindow(display, child);
    XSync(display, False);
    return child;
}

void XClient::destroyWindow(unsigned long window) {
    XDestroyWindow(display, window);
    XSync(display, False);
}
