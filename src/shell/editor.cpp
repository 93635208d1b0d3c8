// Start-up and the frame loop.
#include "shell/map_editor.h"

int MapEditor::start() {
    whileWaiting = [this] { pollSignals(); };
    // Each part says what it did before the next one starts.
    Messages said;
    auto done = [&said](bool ok) {
        report(said);
        said = Messages();
        return ok;
    };
    if (!done(openWindow(said))) return 1;
    catchSignals();
    if (!done(art.loadAssets(said))) return 1;
    if (!done(openMap(said))) return 1;
    reloadMinimap();
    if (!done(openFont(said))) return 1;
    if (options.goTo) centreOn(options.goToX, options.goToY);
    return 0;
}

void MapEditor::runFrame() {
    drawMap();
    drawHUD();
    drawSprites();
    drawOutline();
    getInput();
    if (quitting()) return;
    pollSignals();
    // The caption names the view's top-left cell; it is only sent when it changes.
    std::string caption;
    if (captionChanged(caption)) SDL_WM_SetCaption(caption.c_str(), nullptr);
    SDL_Delay(0);
    SDL_Flip(screen);
}

int MapEditor::mainloop() {
    while (!quitting()) {
        eventSeen = false;
        runFrame();
        // A frame shows the state from before its own input (it draws, then reads input), so
        // after a frame that handled an event or ran a held key's command, another follows.
        // Once a frame has done neither, it showed what the next would show again: wait.
        if (!quitting() && !eventSeen && !inputHeld()) waitForEvent();
    }
    return *quitStatus;
}
