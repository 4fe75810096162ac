#pragma once

class CMainFrame;
class CVarnholtView;
class GK_DoorWithHinges;
class GK_Hinges;
class GK_LockCore;

// Rebuild a pane of the frame from its library list.
void FillHingesPane(CMainFrame& frame);
void FillLockCorePane(CMainFrame& frame);
void FillDoorPane(CMainFrame& frame);

// Show a copy of the model in the view: the object of the same kind shown
// before is deleted, every other object hidden, the copy added and the
// drawing fitted to the window. A null model changes nothing.
void ShowHingesInView(CVarnholtView& view, const GK_Hinges* model);
void ShowLockCoreInView(CVarnholtView& view, const GK_LockCore* model);
void ShowDoorInView(CVarnholtView& view, const GK_DoorWithHinges* model);
