#pragma once

#include <string>

template <typename T>
class GU_SharedList;

class CommandHost;
class MessageBoxes;
class Library;
struct LibraryRow;

// The commands that manage the library's models, on the row chosen in the
// panes: "编辑...", "重命名", "复制为...", "删除" and "撤销". Each goes through
// the library, whose change signal the panes and the drawing follow.
class LibraryCommands {
public:
    LibraryCommands(CommandHost& host, MessageBoxes& messages);

    void OnEditModel();      // "编辑..."
    void OnRenameModel();    // "重命名"
    void OnDuplicateModel(); // "复制为..."
    void OnDeleteModel();    // "删除"
    void OnUndo();           // "撤销"

private:
    template <typename Model>
    void editPart(Library& library, const LibraryRow& chosen, const GU_SharedList<Model>& list);
    void editDoor(Library& library, const LibraryRow& chosen);
    // Renames the chosen model when the name differs; false (the user has
    // been told why) when that failed.
    bool renameTo(Library& library, const LibraryRow& chosen, const std::string& name);

    CommandHost& m_host;
    MessageBoxes& m_messages;
};
