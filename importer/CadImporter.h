#pragma once

#include <importer/DrawingParser.h>
#include <importer/ImportReport.h>

#include <kernel/GK_Hinges.h>
#include <kernel/GK_LockCore.h>

#include <memory>
#include <string>

// Reads CAD drawings into hinge and lock-core models. Owns the models of the
// last import until clear_all_model or the next import.
class CadImporter {
public:
    // Drawings are parsed by the reader program beside the running program.
    CadImporter();
    explicit CadImporter(DrawingParser parser);
    virtual ~CadImporter();
    CadImporter(const CadImporter&) = delete;
    CadImporter& operator=(const CadImporter&) = delete;

    // path is in the file system's encoding (UTF-8). Result 0 when a model
    // came out, non-zero otherwise; report() tells why.
    virtual int import_hinges_from_cad_file(const std::string& path);
    virtual int import_lockcore_from_cad_file(const std::string& path);

    // The model of the last import, or null; the importer keeps owning it.
    virtual GK_Hinges* get_hinges_model() const;
    virtual GK_LockCore* get_lockcore_model() const;
    // Discards both models; the report stays.
    virtual void clear_all_model();

    // The report of the last import.
    virtual const ImportReport& report() const;

private:
    DrawingParser m_parse;
    std::unique_ptr<GK_Hinges> m_hinges;
    std::unique_ptr<GK_LockCore> m_lockCore;
    ImportReport m_report;
};
