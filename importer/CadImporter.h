#pragma once

#include <importer/DrawingParser.h>
#include <importer/DrawingText.h>
#include <importer/ImportReport.h>
#include <importer/ModelBuilder.h>
#include <importer/Outlines.h>
#include <importer/SheetLayout.h>

#include <kernel/GK_Hinges.h>
#include <kernel/GK_LockCore.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

class ImportProgress;

// A drawing read for an import, kept with its model so that another part of
// the sheet can be chosen: outlines and circles in millimetres, how they
// divide into frames and parts, and how its texts are stored.
struct ImportSheet {
    ImportGeometry geometry;
    SheetLayout layout;
    TextEncoding encoding;
};

// Reads CAD drawings into hinge and lock-core models. Owns the models of the
// last import and their sheet until clear_all_model or the next import.
class CadImporter {
public:
    // Drawings are parsed by the reader program beside the running program.
    CadImporter();
    explicit CadImporter(DrawingParser parser);
    virtual ~CadImporter();
    CadImporter(const CadImporter&) = delete;
    CadImporter& operator=(const CadImporter&) = delete;

    // path is in the file system's encoding (UTF-8). Result 0 when a model
    // came out, non-zero otherwise; report() tells why. The model is made of
    // the part the sheet suggests.
    int import_hinges_from_cad_file(const std::string& path);
    int import_lockcore_from_cad_file(const std::string& path);
    // The same, telling progress its stage and ending soon after progress is
    // cancelled, with no model. Safe to run on a thread of its own while
    // another watches progress.
    virtual int import_hinges_from_cad_file(const std::string& path, ImportProgress& progress);
    virtual int import_lockcore_from_cad_file(const std::string& path, ImportProgress& progress);

    // The model of the last import, or null; the importer keeps owning it.
    virtual GK_Hinges* get_hinges_model() const;
    virtual GK_LockCore* get_lockcore_model() const;
    // Discards both models and their sheet; the report stays.
    virtual void clear_all_model();

    // The report of the last import, or of the last choice.
    virtual const ImportReport& report() const;

    // The sheet the current model was made from, or null.
    const ImportSheet* sheet() const;
    // The outline the hinge model was made of, or the faces of the lock core.
    std::optional<std::size_t> hingesOutline() const;
    std::optional<LockCoreFaces> lockCoreFaces() const;
    // Makes the model anew from other candidates of its sheet; the report
    // counts for the new model. False, with the model unchanged, when there is
    // no such model, an index is no candidate (faces: two different ones) or
    // the new model costs more than the import's budget.
    virtual bool chooseHingesOutline(std::size_t outline);
    virtual bool chooseLockCoreFaces(LockCoreFaces faces);
    // Reads the sheet anew in the unit of $INSUNITS code `code` (scaling what
    // was read) and makes the model again of the same outlines. Refused, with
    // everything unchanged and the reason returned, when there is no model,
    // the code names no unit, the drawing would grow past the coordinate
    // limit or no model comes of the outlines in that unit.
    virtual ImportFailure chooseUnit(int code);

private:
    bool isCandidate(std::size_t outline) const;
    // Ends an import: no model, and the report says why, unless one was made
    // and progress not cancelled. 0 when a model was made, 1 otherwise.
    int finishImport(const ImportProgress& progress, bool made);
    // Makes the model of the current choice again from the sheet; false, with
    // the model and the report unchanged, when it cannot be made.
    // Makes the model anew; the reason when none comes of it.
    ImportFailure rebuild();

    DrawingParser m_parse;
    std::unique_ptr<GK_Hinges> m_hinges;
    std::unique_ptr<GK_LockCore> m_lockCore;
    std::unique_ptr<ImportSheet> m_sheet;
    std::size_t m_hingesOutline = 0;
    LockCoreFaces m_faces;
    ImportReport m_sheetReport; // what reading and sorting the sheet found, before a part was chosen
    ImportReport m_report;
};
