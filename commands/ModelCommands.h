#pragma once

#include <dialogs/FileDialogs.h>

#include <library/ModelSave.h>

#include <string>
#include <vector>

class CadImporter;
class CommandHost;
class ImportChoice;
class MessageBoxes;

// The model commands of the "工具" menu: importing a lock core or a hinge
// from a CAD drawing, composing a new door model and the tool table (the
// menu's NC commands are machining commands). Every user-facing step goes
// through the given seams, so the commands run in tests without blocking.
class ModelCommands {
public:
    ModelCommands(CommandHost& host, CadImporter& importer, FileDialogs& files, MessageBoxes& messages);

    static FileFilter CadFilter();

    void OnImportLockCore();   // "导入锁芯CAD图"
    void OnImportHinges();     // "导入合页CAD图"
    void OnAddDoorModel();     // "新增门板"
    void OnKnifeSetting();     // "刀具信息设置"

private:
    template <typename Kind>
    void importModel();
    // Names and saves the model of the current choice while the preview
    // shows it, adding its name to saved; false when the user cancelled or
    // it could not be saved.
    template <typename Kind>
    bool nameAndSave(ImportChoice& choice, std::vector<std::string>& saved);
    // Saves with the library's record of its files. When another program
    // changed a file the save would replace, the user chooses to overwrite
    // it, or to leave it and read the library again. False when nothing was
    // saved (the user has been told why).
    template <typename Save>
    bool saveModel(Save save);

    CommandHost& m_host;
    CadImporter& m_importer;
    FileDialogs& m_files;
    MessageBoxes& m_messages;
};
