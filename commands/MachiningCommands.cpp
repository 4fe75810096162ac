#include <commands/MachiningCommands.h>

#include <commands/CommandHost.h>
#include <commands/MachiningCommandsTexts.h>

#include <dialogs/CDlgMachineProfile.h>
#include <dialogs/MachiningMessages.h>
#include <dialogs/GbkQString.h>
#include <dialogs/MessageBoxes.h>
#include <dialogs/ProgramTexts.h>
#include <dialogs/UserMessages.h>
#include <kernel/GK_DoorWithHinges.h>
#include <library/MachineProfileFile.h>
#include <library/Library.h>
#include <machining/GcodeWriter.h>
#include <machining/MachiningPlan.h>
#include <machining/Motion.h>
#include <machining/Preview.h>

#include <QDir>
#include <QFileInfo>

namespace {
// Without a library there are no tools: every plan then says what is missing.
const GU_OwnedList<KnifeInfo>& toolsOf(const Library* library)
{
    static const GU_OwnedList<KnifeInfo> none;
    return library ? library->models().knives : none;
}
} // namespace

MachiningCommands::MachiningCommands(CommandHost& host, FileDialogs& files, MessageBoxes& messages)
    : m_host(host), m_files(files), m_messages(messages), m_profile(LoadMachineProfile(host.libraryFolder()))
{
}

FileFilter MachiningCommands::ProgramFilter(const MachineProfile& profile)
{
    const QString extension = QString::fromLatin1(profile.Extension.c_str());
    return {QStringLiteral("加工程序(*.%1)").arg(extension), {QStringLiteral("*.") + extension}, extension};
}

FileFilter MachiningCommands::NcFilter()
{
    return {QStringLiteral("所有NC文件(*.NC)"), {QStringLiteral("*.NC")}, QStringLiteral("NC")};
}

GK_DoorWithHinges* MachiningCommands::drawnDoor()
{
    GK_Object* object = m_host.firstDrawingObject();
    while (object && object->type() != GK_TYPE_DOOR)
        object = object->next;
    return static_cast<GK_DoorWithHinges*>(object);
}

void MachiningCommands::OnHingesProgram()
{
    writeProgram(ProgramKind::Hinges, ProgramFilter(m_profile), false);
}

void MachiningCommands::OnLockProgram()
{
    writeProgram(ProgramKind::Lock, ProgramFilter(m_profile), false);
}

void MachiningCommands::OnCreateHingesNc()
{
    writeProgram(ProgramKind::Hinges, NcFilter(), true);
}

void MachiningCommands::OnCreateLockHoleNc()
{
    writeProgram(ProgramKind::Lock, NcFilter(), true);
}

void MachiningCommands::writeProgram(ProgramKind kind, const FileFilter& filter, bool recordDoor)
{
    GK_DoorWithHinges* door = drawnDoor();
    if (!door) {
        m_messages.information(NoDoorMessage());
        return;
    }
    const MachineProfile& profile = m_profile;
    // Planned before the file is asked for: a program that cannot be made
    // leaves no file behind.
    const MachiningPlan plan = PlanProgram(kind, *door, toolsOf(m_host.library()), profile);
    if (plan.status != PlanStatus::Ready) {
        m_messages.warning(RefusalMessage(plan));
        return;
    }
    if (!confirmWarnings({&plan}))
        return;
    const QString doorName = GbkToQString(plan.doorName);
    const QString path = m_files.saveFile(
        filter, {ProgramSaveTitle(kind, doorName), m_folder, ProgramFileName(kind, doorName, filter.defaultSuffix)});
    if (path.isEmpty())
        return;
    m_folder = QFileInfo(path).absolutePath();
    if (!save(plan, path))
        return;
    if (recordDoor)
        m_host.recordNcDoor(door);
    m_host.showStatus(ProgramWrittenStatus(path, plan, EstimateSeconds(plan.uses, profile)));
    const QString leftOut = LeftOutAfterQuestion(plan);
    if (!leftOut.isEmpty())
        m_messages.information(leftOut);
}

void MachiningCommands::OnCreateNcFile()
{
    GK_DoorWithHinges* door = drawnDoor();
    if (!door) {
        m_messages.information(NoDoorMessage());
        return;
    }
    const GU_OwnedList<KnifeInfo>& tools = toolsOf(m_host.library());
    const MachiningPlan hinges = PlanProgram(ProgramKind::Hinges, *door, tools, m_profile);
    const MachiningPlan lock = PlanProgram(ProgramKind::Lock, *door, tools, m_profile);
    // A door without a lock core (or without hinges) gets the one program
    // it has; any other refusal leaves both unwritten.
    std::vector<const MachiningPlan*> ready;
    QStringList refused;
    for (const MachiningPlan* plan : {&hinges, &lock}) {
        if (plan->status == PlanStatus::Ready)
            ready.push_back(plan);
        else if (plan->status != PlanStatus::NothingToMachine)
            refused << RefusalMessage(*plan);
    }
    if (ready.empty() && refused.isEmpty())
        refused << RefusalMessage(hinges) << RefusalMessage(lock);
    if (!refused.isEmpty()) {
        m_messages.warning(refused.join(QStringLiteral("\n\n")));
        return;
    }
    if (!confirmWarnings(ready))
        return;
    const QString doorName = GbkToQString(hinges.doorName);
    const QString extension = ProgramFilter(m_profile).defaultSuffix;
    const QString folder = m_files.chooseFolder(extension, ProgramsFolderTitle(doorName), m_folder);
    if (folder.isEmpty())
        return;
    m_folder = folder;
    QStringList names, existing;
    for (const MachiningPlan* plan : ready) {
        names << ProgramFileName(plan->kind, doorName, extension);
        if (QFileInfo::exists(QDir(folder).filePath(names.back())))
            existing << names.back();
    }
    if (!existing.isEmpty() && !m_messages.question(ProgramsReplaceQuestion(folder, existing)))
        return;
    double seconds = 0.0;
    QStringList leftOut;
    for (std::size_t i = 0; i < ready.size(); ++i) {
        if (!save(*ready[i], QDir(folder).filePath(names[static_cast<qsizetype>(i)])))
            return;
        seconds += EstimateSeconds(ready[i]->uses, m_profile);
        if (const QString text = LeftOutAfterQuestion(*ready[i]); !text.isEmpty())
            leftOut << text;
    }
    m_host.recordNcDoor(door);
    m_host.showStatus(ProgramsWrittenStatus(folder, names, ready, seconds));
    if (!leftOut.isEmpty())
        m_messages.information(leftOut.join(QStringLiteral("\n\n")));
}

bool MachiningCommands::confirmWarnings(const std::vector<const MachiningPlan*>& plans)
{
    const QString question = WarningsQuestion(plans);
    return question.isEmpty() || m_messages.question(question);
}

bool MachiningCommands::save(const MachiningPlan& plan, const QString& path)
{
    const SaveResult saved = SaveGcodeFile(plan, m_profile, path.toStdString());
    if (!saved)
        m_messages.warning(ProgramNotSavedMessage(saved));
    return static_cast<bool>(saved);
}

void MachiningCommands::OnPreview(bool shown)
{
    m_previewShown = shown;
    if (!shown) {
        m_host.hideMachiningPreview();
        return;
    }
    RefreshPreview();
}

void MachiningCommands::RefreshPreview()
{
    if (!m_previewShown)
        return;
    const GK_DoorWithHinges* door = drawnDoor();
    if (!door) {
        m_host.hideMachiningPreview();
        m_host.showStatus(PreviewNothingStatus());
        return;
    }
    const MachineProfile& profile = m_profile;
    const GU_OwnedList<KnifeInfo>& tools = toolsOf(m_host.library());
    const MachiningPlan hinges = PlanProgram(ProgramKind::Hinges, *door, tools, profile);
    const MachiningPlan lock = PlanProgram(ProgramKind::Lock, *door, tools, profile);
    std::vector<const MachiningPlan*> ready;
    double seconds = 0.0;
    for (const MachiningPlan* plan : {&hinges, &lock})
        if (plan->status == PlanStatus::Ready) {
            ready.push_back(plan);
            seconds += EstimateSeconds(plan->uses, profile);
        }
    if (ready.empty()) {
        m_host.hideMachiningPreview();
        m_host.showStatus(PreviewNothingStatus());
        return;
    }
    m_host.showMachiningPreview(BuildPreview(ready));
    m_host.showStatus(PreviewStatus(ready, seconds));
}

void MachiningCommands::OnMachineProfile()
{
    CDlgMachineProfile dialog(m_messages, m_profile);
    if (dialog.DoModal() != IDOK)
        return;
    m_profile = dialog.m_profile;
    const SaveResult saved = SaveMachineProfile(m_host.libraryFolder(), dialog.m_profile);
    if (!saved)
        m_messages.warning(ProfileNotSavedMessage(saved));
    RefreshPreview();
}
