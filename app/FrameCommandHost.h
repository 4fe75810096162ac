#pragma once

#include <commands/CommandHost.h>

// The commands' view of the running program: the application's main window,
// its library, panes, drawing view and status bar. Without a main window the
// commands find no library and no drawing.
class FrameCommandHost final : public CommandHost {
public:
    ModelLibrary* library() override;
    void refillHingesPane() override;
    void refillLockCorePane() override;
    void refillDoorPane() override;
    GK_Object* firstDrawingObject() override;
    void recordNcDoor(GK_Object* door) override;
    void showStatus(const QString& text) override;
};
