#include <commands/MachiningCommands.h>

#include <commands/CommandHost.h>

#include <dialogs/CDlgMachineProfile.h>
#include <dialogs/MachiningMessages.h>
#include <dialogs/MessageBoxes.h>
#include <dialogs/UserMessages.h>
#include <kernel/GK_DoorWithHinges.h>
#include <library/MachineProfileFile.h>
#include <library/Library.h>
#include <machining/GcodeWriter.h>
#include <machining/MachiningPlan.h>
#include <machining/Motion.h>
#include <machining/Preview.h>

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
    : m_host(host), m_files(files), m_messages(messages), m_profile(LoadMachineProfile())
{
}

FileFilter MachiningCommands::ProgramFilter(const MachineProfile& profile)
{
    const QString extension = QString::fromLatin1(profile.Extension.c_str());
    return {QStringLiteral("加工程序(*.%1)").arg(extension), {QStringLiteral("*.") + extension}, extension};
}

const GK_DoorWithHinges* MachiningCommands::drawnDoor()
{
    GK_Object* object = m_host.firstDrawingObject();
    while (object && object->type() != GK_TYPE_DOOR)
        object = object->next;
    return static_cast<const GK_DoorWithHinges*>(object);
}

void MachiningCommands::OnHingesProgram()
{
    writeProgram(ProgramKind::Hinges);
}

void MachiningCommands::OnLockProgram()
{
    writeProgram(ProgramKind::Lock);
}

void MachiningCommands::writeProgram(ProgramKind kind)
{
    const GK_DoorWithHinges* door = drawnDoor();
    if (!door) {
        m_messages.information(NoDoorMessage());
        return;
    }
    const MachineProfile& profile = m_profile;
    // Planned before the file is asked for: a program that cannot be made
    // leaves no file behind.
    const MachiningPlan plan = PlanProgram(kind, *door, toolsOf(m_host.library()), profile);
    if (plan.status != PlanStatus::Ready) {
        m_messages.warning(PlanRefusedMessage(plan));
        return;
    }
    const QString path = m_files.saveFile(ProgramFilter(profile), m_folder);
    if (path.isEmpty())
        return;
    m_folder = QFileInfo(path).absolutePath();
    const SaveResult saved = SaveGcodeFile(plan, profile, path.toStdString());
    if (!saved) {
        m_messages.warning(ProgramNotSavedMessage(saved));
        return;
    }
    m_host.showStatus(ProgramWrittenStatus(path, plan, EstimateSeconds(plan.uses, profile)));
    const QString leftOut = LeftOutMessage(plan);
    if (!leftOut.isEmpty())
        m_messages.information(leftOut);
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
    m_host.showMachiningPreview(PreviewStrokes(ready));
    m_host.showStatus(PreviewStatus(ready, seconds));
}

void MachiningCommands::OnMachineProfile()
{
    CDlgMachineProfile dialog(m_messages, m_profile);
    if (dialog.DoModal() != IDOK)
        return;
    m_profile = dialog.m_profile;
    const SaveResult saved = SaveMachineProfile(dialog.m_profile);
    if (!saved)
        m_messages.warning(ProfileNotSavedMessage(saved));
    RefreshPreview();
}
