// Moving objects with the mouse, going to a cell or a name, and stepping through findings.
#include "shell/map_editor.h"

void MapEditor::pickUp(int button, int mx, int my) {
    const bool npc = rightClickMode == MODE_PLACE_NPC || rightClickMode == MODE_KILL_NPC;
    const int x = worldX(mx), y = worldY(my);
    // The object a removal click here would take; over empty ground the click does nothing.
    const int index = npc ? npcIndexAt(x, y) : itemIndexAt(x, y);
    if (index < 0) return;
    dragged.npc = npc;
    dragged.index = index;
    drag = Drag{button, x, y, mx, my};
    placeDragged();
}

// While an object is held only the pointer and the release of its button count: other presses
// (which could remove or renumber objects) are ignored.
void MapEditor::followDrag(const SDL_Event& happened) {
    if (happened.type == SDL_MOUSEMOTION) {
        drag.pointerX = happened.motion.x;
        drag.pointerY = happened.motion.y;
        return;
    }
    if (happened.type != SDL_MOUSEBUTTONUP || happened.button.button != drag.button) return;
    drag.pointerX = happened.button.x;
    drag.pointerY = happened.button.y;
    const MovedObject held = dragged;
    dragged = MovedObject();
    const int dx = worldX(drag.pointerX) - drag.pressX, dy = worldY(drag.pointerY) - drag.pressY;
    show(held.npc ? moveNpc(held.index, dx, dy) : moveItem(held.index, dx, dy));
}

// Where the held object is drawn: where a drop under the pointer would put it.
void MapEditor::placeDragged() {
    const size_t index = static_cast<size_t>(dragged.index);
    float x = dragged.npc ? npcs[index].x : items[index].x;
    float y = dragged.npc ? npcs[index].y : items[index].y;
    const int dx = worldX(drag.pointerX) - drag.pressX, dy = worldY(drag.pointerY) - drag.pressY;
    if (dx != 0 || dy != 0) movedPosition(x, y, dx, dy);
    dragged.x = x;
    dragged.y = y;
}

void MapEditor::goToPrompt() {
    dragged = MovedObject();  // the prompt takes the button's release: a drag ends without a move
    const std::optional<std::string> answer = getUserString("Go to:", PROMPT_LEFT, 0, goToSearch.lastAnswer);
    if (!answer) return quit(0);  // the window closed during the prompt, as during the placing questions
    const Navigation found = goToSearch.goTo(*this, dataDir, *answer);
    show(found.outcome);
    if (found.to) centreOn(found.to->cellX, found.to->cellY);
}

// A step's place stays outlined until the next step; past either end nothing changes.
void MapEditor::showStep(const Navigation& step) {
    show(step.outcome);
    if (!step.outcome.ok) return;
    outlined = step.to.has_value();
    if (!step.to) return;
    centreOn(step.to->cellX, step.to->cellY);
    outlineX = step.to->boxX;
    outlineY = step.to->boxY;
}

void MapEditor::nextFinding() { showStep(steps.step(1, dataDir)); }
void MapEditor::previousFinding() { showStep(steps.step(-1, dataDir)); }
