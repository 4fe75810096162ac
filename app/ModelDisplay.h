#pragma once

#include <QString>

class CMainFrame;
class CVarnholtView;
class ModelLibrary;
struct LibraryChange;
class GK_DoorWithHinges;
class GK_Hinges;
class GK_LockCore;

// Brings the frame's panes and drawing up to a change of its library: the
// panes of the lists it touched are filled anew, and the doors in the drawing
// refer to the models now in the library under their names and are drawn
// again. What a drawn door lost is said in the status bar.
void FollowLibraryChange(CMainFrame& frame, const LibraryChange& change);

// Makes the doors in the view's drawing refer to the library's models of
// their models' names and prepares them to be drawn again. Says which door
// lost which model (UnboundDoorText), or nothing.
QString RebindDrawnDoors(CVarnholtView& view, const ModelLibrary& library);

// Show a copy of the model in the view: the object of the same kind shown
// before is deleted, every other object hidden, the copy added and the
// drawing fitted to the window. A null model changes nothing.
void ShowHingesInView(CVarnholtView& view, const GK_Hinges* model);
void ShowLockCoreInView(CVarnholtView& view, const GK_LockCore* model);
void ShowDoorInView(CVarnholtView& view, const GK_DoorWithHinges* model);
