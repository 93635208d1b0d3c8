// Start-up and the frame loop.
#include "shell/map_editor.h"

int MapEditor::start() {
    whileWaiting = [this] {
        pollSignals();
        runAutosave();  // one falls due while the window is idle too
    };
    // Each part says what it did before the next one starts.
    Messages said;
    auto done = [&said](bool ok) {
        report(said);
        said = Messages();
        return ok;
    };
    if (!done(openWindow(said))) return 1;
    catchSignals();
    catchDisplayLoss();
    if (!done(art.loadAssets(said))) return 1;
    if (!done(openMap(said))) return 1;
    reloadMinimap();
    if (!done(openFont(said))) return 1;
    autosaveSeconds = options.autosaveSeconds;
    lockPath = LOCK_FILE;
    const Outcome locked = lockWorld();
    // While another editor has the world, a copy beside it is that editor's.
    const Outcome earlier = lock.state == LockState::Busy ? Outcome() : noticeEarlierEdits();
    for (const Outcome* outcome : {&locked, &earlier}) {
        report(outcome->said);
        for (const Message& line : outcome->said.lines) addNotice(line.text);
    }
    if (options.goTo) centreOn(options.goToX, options.goToY);
    return 0;
}

// A line too wide for the window is broken after its first colon.
void MapEditor::addNotice(const std::string& line) {
    std::string text = line.substr(0, line.find('\n'));
    int width = 0;
    const size_t colon = text.find(": ");
    if (font && TTF_SizeText(font.get(), text.c_str(), &width, nullptr) == 0 && width > SCREEN_WIDTH &&
        colon != std::string::npos) {
        notices.push_back(text.substr(0, colon + 1));
        text = text.substr(colon + 2);
    }
    notices.push_back(text);
}

void MapEditor::drawNotices() {
    for (size_t i = 0; i < notices.size(); ++i) drawTextAt(notices[i].c_str(), 0, static_cast<int>(i) * 20);
}

void MapEditor::runFrame() {
    drawMap();
    drawHUD();
    drawSprites();
    drawOutline();
    drawNotices();
    getInput();
    if (quitting()) return;
    pollSignals();
    runAutosave();
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
