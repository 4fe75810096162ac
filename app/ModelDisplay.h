#pragma once

class CMainFrame;
class GK_DoorWithHinges;
class GK_Hinges;
class GK_LockCore;

// Rebuild a pane's rows from its library list. A null frame stands for the
// application's main window; without one nothing happens.
void FillHingesPane(CMainFrame* frame = nullptr);
void FillLockCorePane(CMainFrame* frame = nullptr);
void FillDoorPane(CMainFrame* frame = nullptr);

// Show a copy of the model in the active view of the application's main
// window: the object of the same kind shown before is deleted, every other
// object hidden, the copy added and the drawing fitted to the window.
void ShowHingesInView(const GK_Hinges* model);
void ShowLockCoreInView(const GK_LockCore* model);
void ShowDoorInView(const GK_DoorWithHinges* model);
