// Process entry: what SDL's start-up library does on other platforms, then SDL_main, which
// runs the one editor. Only here does the editor end (but for a signal, see quit.cpp).
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "shell/map_editor.h"
#include "shell/options.h"
#include "world/recovery.h"
#include "world/restore.h"
#include "world/world_lock.h"
#include "world/navigation.h"

static int SDL_main(const EditorOptions& options, std::vector<Finding> findings) {
    auto editor = std::make_unique<MapEditor>();  // large: the map grid is held inline
    editor->options = options;
    editor->steps.findings = std::move(findings);
    const int failed = editor->start();
    if (failed) return failed;
    return editor->mainloop();
}

int main(int argc, char** argv) {
    // Tests and scripts read the progress lines while the editor runs.
    setvbuf(stdout, nullptr, _IOLBF, 0);
    EditorOptions options;
    const std::string wrong = parseOptions(argc, argv, options);
    if (!wrong.empty()) {
        fprintf(stderr, "maped: %s\n", wrong.c_str());
        return 2;
    }
    if (options.help) {
        fputs(usageText().c_str(), stdout);
        return 0;
    }
    if (options.restore) {
        Messages said;
        const int status = restoreRecoveryCopy(RECOVERY_DIR, DATA_DIR, LOCK_FILE, said);
        report(said);
        return status;
    }
    // The findings are read before the window opens: standard input may be a terminal.
    std::vector<Finding> findings;
    if (!options.stepsFile.empty()) {
        std::string text;
        const std::string why = readFindingsText(options.stepsFile, text);
        if (!why.empty()) {
            fprintf(stderr, "maped: --steps %s: %s\n", options.stepsFile.c_str(), why.c_str());
            return 2;
        }
        findings = parseFindings(text);
    }
    if (SDL_Init(SDL_INIT_NOPARACHUTE) < 0) {
        fprintf(stderr, "Could not start SDL: %s\n", SDL_GetError());
        return 1;
    }
    atexit(SDL_Quit);
    return SDL_main(options, std::move(findings));
}
