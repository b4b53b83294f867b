#pragma once

class QAction;
class QMenu;

namespace centrafix {

// The window's menu bar: every entry calls the handler of the button or
// control it stands for, so both ways in do the same.
struct WindowMenus {
    QMenu* file = nullptr;
    QMenu* edit = nullptr;
    QMenu* view = nullptr;
    QMenu* picture = nullptr;
    QMenu* language = nullptr;
    QMenu* help = nullptr;

    QAction* open = nullptr;
    QAction* paste = nullptr;
    QAction* saveProject = nullptr;
    QAction* saveProjectAs = nullptr;
    QAction* saveResults = nullptr;
    QAction* savePicture = nullptr;
    QAction* saveWorkingPicture = nullptr;
    QAction* saveChart = nullptr;
    QAction* copyTable = nullptr;
    QAction* copyBitmap = nullptr;
    QAction* print = nullptr;
    QAction* exportPdf = nullptr;
    QAction* quit = nullptr;

    QAction* undo = nullptr;
    QAction* redo = nullptr;

    QAction* fit = nullptr;
    QAction* actualSize = nullptr;
    QAction* zoomIn = nullptr;
    QAction* zoomOut = nullptr;
    QAction* loadingChart = nullptr;

    QAction* analyze = nullptr;
    QAction* flip = nullptr;
    QAction* invert = nullptr;
    QAction* cleanUp = nullptr;
    QAction* scaleLine = nullptr;
    QAction* fill = nullptr;
    QAction* mapColour = nullptr;
    QAction* fillSettings = nullptr;
    QAction* straighten = nullptr;
    QAction* level = nullptr;
    QAction* mirrorRow = nullptr;
    QAction* crop = nullptr;
    QAction* showAC = nullptr;
    QAction* showCG = nullptr;

    QAction* german = nullptr;
    QAction* english = nullptr;

    QAction* userGuide = nullptr;
    QAction* about = nullptr;
};

} // namespace centrafix
