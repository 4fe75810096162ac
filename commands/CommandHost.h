#pragma once

#include <commands/ImportChoice.h>
#include <library/Library.h>
#include <machining/Preview.h>

#include <QList>

#include <cstddef>
#include <functional>
#include <string>
#include <optional>
#include <vector>

class GK_Object;
class Library;
class QRect;
class QString;
class QWidget;

// What the user does in the import preview: a click at a drawing point
// (millimetres), and Tab or Shift+Tab.
struct ImportPreviewInput {
    std::function<void(double x, double y)> picked;
    std::function<void(bool forward)> cycled;
};

// A row of one of the library's model lists.
struct LibraryRow {
    LibraryPart part = LibraryPart::Hinges;
    std::size_t row = 0;
};

// What the model commands act on: the main window's library, the drawing of
// its view and its status bar. The commands change the library through it;
// the panes and the drawing follow its change signal.
class CommandHost {
public:
    virtual ~CommandHost() = default;

    // The main window's library; null when there is no main window.
    virtual Library* library() = 0;
    // The folder of the library files, the tool table and the machine
    // profile (the program's own folder when the program runs), also when
    // there is no main window.
    virtual std::string libraryFolder() = 0;
    // The first object of the view's drawing (the rest follow through next);
    // null when the drawing is empty or there is no view.
    virtual GK_Object* firstDrawingObject() = 0;
    // Notes the door for which an NC file was created.
    virtual void recordNcDoor(GK_Object* door) = 0;
    virtual void showStatus(const QString& text) = 0;
    // The model row the user chose in the panes (in the pane that has, or
    // last had, the focus); none when no row is selected.
    virtual std::optional<LibraryRow> chosenRow() { return std::nullopt; }
    // The column widths the user gave the tool table's list (0 where the list
    // sizes a column itself), kept between runs; none by default.
    virtual QList<int> toolColumnWidths() { return {}; }
    virtual void storeToolColumnWidths(const QList<int>&) {}
    // Draws the tool paths over the door in the view, or takes them away.
    virtual void showMachiningPreview(MachiningPreview preview) = 0;
    virtual void hideMachiningPreview() = 0;
    // Shows the picture of an import in the view in place of the drawing,
    // fitted, and passes the user's clicks and Tab presses to input, until
    // hideImportPreview brings the drawing back unchanged. Called again with
    // a new picture, it shows that one. The widget showing it, which stays
    // usable while the model is named; null when there is none.
    virtual QWidget* showImportPreview(const ImportPicture& picture, ImportPreviewInput input) = 0;
    virtual void hideImportPreview() = 0;
    // A window over the preview (the naming dialog) covers the screen area:
    // the preview fits what it shows into the part of the view left free.
    virtual void coverImportPreview(const QRect&) {}
};
