#pragma once

#include <dialogs/FileDialogs.h>
#include <library/MachineProfile.h>

#include <QString>

class CommandHost;
class GK_DoorWithHinges;
class MessageBoxes;
enum class ProgramKind;

// The commands of the "加工" menu: the hinge and the lock program of the door
// in the drawing, the preview of their tool paths over the door, and the
// machine settings. The programs are planned from the host's library (its
// tool table) and the machine profile, read from beside the program when the
// commands are made and kept in memory from then on.
class MachiningCommands {
public:
    MachiningCommands(CommandHost& host, FileDialogs& files, MessageBoxes& messages);

    const MachineProfile& profile() const { return m_profile; }

    // The save dialog's type list for the profile's file extension.
    static FileFilter ProgramFilter(const MachineProfile& profile);

    void OnHingesProgram();         // "生成合页加工程序..."
    void OnLockProgram();           // "生成锁孔加工程序..."
    void OnPreview(bool shown);     // "加工预览"
    void OnMachineProfile();        // "机床设置..."
    // Draws the preview anew when it is on: the drawing, the tool table or
    // the profile changed.
    void RefreshPreview();

private:
    void writeProgram(ProgramKind kind);
    // The door of the drawing, found as the NC commands find it; null when
    // there is none.
    const GK_DoorWithHinges* drawnDoor();

    CommandHost& m_host;
    FileDialogs& m_files;
    MessageBoxes& m_messages;
    MachineProfile m_profile;
    // Where the last program was written; the save dialog opens there.
    QString m_folder;
    bool m_previewShown = false;
};
