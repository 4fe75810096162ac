#include <commands/ModelCommands.h>

#include <commands/CommandHost.h>
#include <commands/ImportChoice.h>

#include <dialogs/CDlgAddDoorModel.h>
#include <dialogs/CDlgImportHinges.h>
#include <dialogs/CDlgKnifeSetting.h>
#include <dialogs/ImportMessages.h>
#include <dialogs/ImportProgressDialog.h>
#include <dialogs/MessageBoxes.h>
#include <dialogs/UserMessages.h>
#include <importer/CadImporter.h>
#include <importer/ImportProgress.h>
#include <library/DoorModelFile.h>
#include <library/HingesFile.h>
#include <library/KnifeFile.h>
#include <library/Library.h>
#include <library/LibraryFolder.h>
#include <library/LockCoreFile.h>
#include <library/NameLookup.h>

#include <QRect>
#include <QString>

namespace {

struct HingesKind {
    using Model = GK_Hinges;
    static constexpr const char* folder = kHingesFolder;
    static void import(CadImporter& importer, const std::string& path, ImportProgress& progress)
    {
        importer.import_hinges_from_cad_file(path, progress);
    }
    static Model* model(const CadImporter& importer) { return importer.get_hinges_model(); }
    static SaveResult save(const Model* model, const SaveContext& context) { return SaveHingesFile(model, context); }
    static const GU_SharedList<Model>& list(const ModelLibrary& library) { return library.hinges; }
    static void put(Library& library, const Model& model) { library.putHinges(model); }
    static constexpr ModelKind kind = ModelKind::Hinges;
    static constexpr bool lockCore = false;
    // A hinge may be let into the door; the dialog asks.
    static constexpr bool offerMortise = true;
    static void takeMortise(Model& model, const CDlgImportHinges& dialog) { model.SetMortise(dialog.m_mortise != 0); }
};

struct LockCoreKind {
    using Model = GK_LockCore;
    static constexpr const char* folder = kLockCoresFolder;
    static void import(CadImporter& importer, const std::string& path, ImportProgress& progress)
    {
        importer.import_lockcore_from_cad_file(path, progress);
    }
    static Model* model(const CadImporter& importer) { return importer.get_lockcore_model(); }
    static SaveResult save(const Model* model, const SaveContext& context)
    {
        return SaveLockCoreFile(model, context);
    }
    static const GU_SharedList<Model>& list(const ModelLibrary& library) { return library.lockCores; }
    static void put(Library& library, const Model& model) { library.putLockCore(model); }
    static constexpr ModelKind kind = ModelKind::LockCore;
    static constexpr bool lockCore = true;
    static constexpr bool offerMortise = false;
    static void takeMortise(Model&, const CDlgImportHinges&) {}
};

struct DoorKind {
    using Model = GK_DoorWithHinges;
    static constexpr const char* folder = kDoorModelFolder;
    static const GU_SharedList<Model>& list(const ModelLibrary& library) { return library.doors; }
    static constexpr ModelKind kind = ModelKind::Door;
};

// Lets a name through when no model of its kind has it, or when the user
// agrees to replace the model that has it. A name whose file holds another
// model is refused: saving would destroy that model.
template <typename Kind>
NameAcceptor askBeforeReplacing(CommandHost& host, MessageBoxes& messages)
{
    return [&host, &messages](const std::string& name) {
        if (const std::optional<std::string> other = OtherModelInTarget(Kind::folder, name, host.libraryFolder())) {
            messages.warning(OtherModelsFileMessage(Kind::kind, name, *other));
            return false;
        }
        Library* library = host.library();
        if (!library || !PositionByName(Kind::list(library->models()), name))
            return true;
        return messages.question(ReplaceModelQuestion(Kind::kind, name));
    };
}

// "已选轮廓 …" for the outline or the two faces.
QString ChosenText(const std::vector<ChosenOutline>& chosen)
{
    if (chosen.size() == 2)
        return ChosenLockCoreText(chosen[0].width, chosen[0].height, chosen[0].holes, chosen[1].width,
                                  chosen[1].height, chosen[1].holes);
    if (chosen.size() == 1)
        return ChosenHingeText(chosen[0].width, chosen[0].height, chosen[0].holes);
    return QString();
}

QString ImplausibleText(const std::optional<ImplausibleSize>& size)
{
    if (!size)
        return QString();
    return ImplausibleSizeText(size->width, size->height, size->unit, size->unitWidth, size->unitHeight);
}

} // namespace

ModelCommands::ModelCommands(CommandHost& host, CadImporter& importer, FileDialogs& files, MessageBoxes& messages)
    : m_host(host), m_importer(importer), m_files(files), m_messages(messages)
{
}

FileFilter ModelCommands::CadFilter()
{
    return {QStringLiteral("CAD 图纸 (*.dxf *.dwg)"),
            {QStringLiteral("*.dxf"), QStringLiteral("*.dwg")},
            QStringLiteral("dxf"),
            {{QStringLiteral("DXF 图纸 (*.dxf)"), {QStringLiteral("*.dxf")}},
             {QStringLiteral("DWG 图纸 (*.dwg)"), {QStringLiteral("*.dwg")}}}};
}

template <typename Save>
bool ModelCommands::saveModel(Save save)
{
    Library* library = m_host.library();
    SaveContext context = library ? library->saveContext() : SaveContext{m_host.libraryFolder()};
    SaveResult saved = save(context);
    if (saved.problem == SaveProblem::ChangedOnDisk) {
        if (m_messages.choose(ChangedOnDiskQuestion(saved), ChangedOnDiskChoices()) != kChooseOverwrite) {
            library->reload();
            return false;
        }
        context.onChange = OnDiskChange::Overwrite;
        saved = save(context);
    }
    if (!saved) {
        m_messages.warning(ModelNotSavedMessage(saved));
        return false;
    }
    return true;
}

void ModelCommands::OnImportLockCore()
{
    importModel<LockCoreKind>();
}

void ModelCommands::OnImportHinges()
{
    importModel<HingesKind>();
}

template <typename Kind>
void ModelCommands::importModel()
{
    const QString path = m_files.openFile(CadFilter());
    if (path.isEmpty())
        return;
    const std::string file = path.toStdString();
    // What the bar said about an earlier import is no longer true.
    m_host.showStatus(ImportStartedText(path));
    ImportProgress progress;
    RunImportWithProgress(progress, [&] { Kind::import(m_importer, file, progress); });
    // Whatever happens below, the preview goes and the importer's models are
    // discarded at the end.
    struct ClearImporter {
        CadImporter& importer;
        CommandHost& host;
        bool previewed = false;
        ~ClearImporter()
        {
            if (previewed)
                host.hideImportPreview();
            importer.clear_all_model();
        }
    } clear{m_importer, m_host};

    if (!Kind::model(m_importer)) {
        // The user stopped it: nothing to explain.
        if (m_importer.report().failure.problem == ImportProblem::Cancelled) {
            m_host.showStatus(ImportFailureText(m_importer.report()));
        } else {
            m_host.showStatus(ImportSummary(m_importer.report()));
            m_messages.warning(ImportFailedMessage(Kind::kind, path, m_importer.report()));
        }
        return;
    }
    clear.previewed = true;
    // One model after the other from the parts of the sheet, as long as the
    // user names them and parts are left.
    ImportChoice choice(m_importer, Kind::lockCore);
    std::vector<std::string> saved;
    while (nameAndSave<Kind>(choice, saved) && choice.partCount() > 1 && choice.nextAfterSaved()) {
    }
    // The preview and its hints are gone: the bar says how the import ended.
    m_host.showStatus(ImportEndedText(Kind::kind, saved, m_importer.report()));
}

template <typename Kind>
bool ModelCommands::nameAndSave(ImportChoice& choice, std::vector<std::string>& saved)
{
    CDlgImportHinges dialog(m_messages, Kind::offerMortise);
    dialog.setNameAcceptor(askBeforeReplacing<Kind>(m_host, m_messages));

    // Shows the current choice in the view, the dialog and the status bar.
    ImportPreviewInput input;
    const auto show = [&] {
        const ImportReport& report = m_importer.report();
        QString status = ImportSummary(report);
        if (choice.choosable())
            status += QStringLiteral("；") + ImportPreviewHint(Kind::lockCore, choice.picksSideNext());
        m_host.showStatus(status);
        dialog.showChoice(ChosenText(choice.chosen()), ImplausibleText(choice.implausible()));
        if (report.unit)
            dialog.showUnitSource(UnitSource(*report.unit));
        return m_host.showImportPreview(choice.picture(), input);
    };
    input.picked = [&](double x, double y) {
        choice.pickAt(x, y);
        show();
    };
    input.cycled = [&](bool forward) {
        choice.cycle(forward);
        show();
    };
    if (const std::optional<DrawingUnit>& unit = m_importer.report().unit)
        dialog.offerUnits(ImportChoice::offeredUnits(unit->code), unit->code, UnitSource(*unit));
    QObject::connect(&dialog, &CDlgImportHinges::unitChosen, [&](int code) {
        if (const ImportFailure refused = choice.chooseUnit(code)) {
            m_messages.warning(UnitRefusedMessage(code, refused));
            // The list shows the unit the drawing is still read in.
            const DrawingUnit& unit = *m_importer.report().unit;
            dialog.offerUnits(ImportChoice::offeredUnits(unit.code), unit.code, UnitSource(unit));
        }
        show();
    });
    if (Kind::lockCore) {
        dialog.offerSwap();
        QObject::connect(&dialog, &CDlgImportHinges::swapClicked, [&] {
            choice.swapFaces();
            show();
        });
    }
    QObject::connect(&dialog, &ExchangeDialog::frameChanged,
                     [this](const QRect& frame) { m_host.coverImportPreview(frame); });
    if (dialog.DoModalBeside(show()) != IDOK)
        return false;

    // The model of the last choice; every choice makes it anew.
    typename Kind::Model* model = Kind::model(m_importer);
    if (!model)
        return false;
    model->SetName(dialog.m_name);
    model->SetComments(dialog.m_comments);
    model->SetThick(dialog.m_thickness);
    Kind::takeMortise(*model, dialog);

    if (!saveModel([model](const SaveContext& context) { return Kind::save(model, context); }))
        return false;
    if (Library* library = m_host.library())
        Kind::put(*library, *model);
    saved.push_back(dialog.m_name);
    return true;
}

void ModelCommands::OnAddDoorModel()
{
    Library* library = m_host.library();
    CDlgAddDoorModel dialog(m_messages, library ? &library->models() : nullptr);
    dialog.setNameAcceptor(askBeforeReplacing<DoorKind>(m_host, m_messages));
    if (dialog.DoModal() != IDOK)
        return;
    std::unique_ptr<GK_DoorWithHinges> door = dialog.makeDoor();
    if (!door)
        return;
    if (!saveModel([&door](const SaveContext& context) { return SaveDoorModelFile(door.get(), context); }))
        return;
    if (library)
        library->putDoor(std::move(door));
}

void ModelCommands::OnKnifeSetting()
{
    Library* library = m_host.library();
    // The dialog changes a working copy of the tools; after each change the
    // table file is written here and the library takes the copy. A failure
    // leaves the change in memory. A table that another program changed
    // meanwhile is overwritten only if the user says so; otherwise it is read
    // again, and the dialog shows what it holds.
    GU_OwnedList<KnifeInfo> table = library ? CopyTools(library->models().knives) : GU_OwnedList<KnifeInfo>();
    CDlgKnifeSetting dialog(m_messages, library ? &table : nullptr, [this, library, &table] {
        SaveContext context = library->saveContext();
        SaveResult saved = SaveKnifeFile(table, context);
        if (saved.problem == SaveProblem::ChangedOnDisk) {
            if (m_messages.choose(ChangedOnDiskQuestion(saved), ChangedOnDiskChoices()) != kChooseOverwrite) {
                library->reloadTools();
                table = CopyTools(library->models().knives);
                return;
            }
            context.onChange = OnDiskChange::Overwrite;
            saved = SaveKnifeFile(table, context);
        }
        library->setTools(table);
        if (!saved)
            m_messages.warning(ToolTableNotSavedMessage(saved));
    });
    dialog.SetUserColumnWidths(m_host.toolColumnWidths());
    dialog.DoModal();
    m_host.storeToolColumnWidths(dialog.UserColumnWidths());
}
