#pragma once

#include <dialogs/FileDialogs.h>
#include <library/MachineProfile.h>

#include <QString>

#include <vector>

class CommandHost;
class GK_DoorWithHinges;
class MessageBoxes;
struct MachiningPlan;
enum class ProgramKind;

// The commands of the "加工" menu: the hinge and the lock program of the door
// in the drawing, the preview of their tool paths over the door, and the
// machine settings; and the NC commands of the "工具" menu, which write the
// same programs. The programs are planned from the host's library (its tool
// table) and the machine profile, read from the host's library folder when
// the commands are made and kept in memory from then on.
class MachiningCommands {
public:
    MachiningCommands(CommandHost& host, FileDialogs& files, MessageBoxes& messages);

    const MachineProfile& profile() const { return m_profile; }

    // The save dialog's type list for the profile's file extension.
    static FileFilter ProgramFilter(const MachineProfile& profile);
    // The type list of the "工具" menu's NC files.
    static FileFilter NcFilter();

    void OnHingesProgram();         // "生成合页加工程序..."
    void OnLockProgram();           // "生成锁孔加工程序..."
    // The "工具" menu's: the same programs, and the door they were written
    // for recorded with the host.
    void OnCreateHingesNc();        // "生成合页NC文件"
    void OnCreateLockHoleNc();      // "生成锁孔NC文件"
    void OnCreateNcFile();          // "生成NC文件": both programs into a chosen folder
    void OnPreview(bool shown);     // "加工预览"
    void OnMachineProfile();        // "机床设置..."
    // Draws the preview anew when it is on: the drawing, the tool table or
    // the profile changed.
    void RefreshPreview();

private:
    // Asks for the file, named after the door, and writes the program;
    // recordDoor for the "工具" menu.
    void writeProgram(ProgramKind kind, const FileFilter& filter, bool recordDoor);
    // Asks whether the programs are to be written in spite of their
    // warnings; true without any.
    bool confirmWarnings(const std::vector<const MachiningPlan*>& plans);
    // Writes a ready plan's program to path; false when it could not be
    // written (the user has been told why).
    bool save(const MachiningPlan& plan, const QString& path);
    // The door of the drawing: the first door object, shown or hidden; null
    // when there is none.
    GK_DoorWithHinges* drawnDoor();

    CommandHost& m_host;
    FileDialogs& m_files;
    MessageBoxes& m_messages;
    MachineProfile m_profile;
    // Where the last program was written; the save dialog opens there.
    QString m_folder;
    bool m_previewShown = false;
};
