#pragma once

#include <importer/DxfRecords.h>
#include <importer/ImportReport.h>

#include <string>

// Receives a drawing record by record, in file order, as the DXF reader meets
// them: header values, each layer name when it is first used (it takes the
// next LayerId), blocks with their entities, model-space entities, and the
// kinds of entity left out. The same sequence comes from dxflib in this
// process or, decoded, from the reader process.
class DrawingSink {
public:
    virtual ~DrawingSink() = default;

    virtual void insunits(int code) = 0;
    virtual void codePage(std::string value) = 0;
    virtual void version(std::string value) = 0;
    virtual void layer(std::string name) = 0;
    // The entities and skipped kinds that follow belong to this block until
    // endBlock; a block of a name met before replaces it.
    virtual void beginBlock(std::string name, const position& base) = 0;
    virtual void endBlock() = 0;
    virtual void entity(EntityRecord&& record) = 0;
    virtual void skipped(const SkippedKind& kind) = 0;
};

// Builds the drawing from the records it receives.
class DrawingAssembler final : public DrawingSink {
public:
    DxfDrawing drawing;

    void insunits(int code) override { drawing.insunits = code; }
    void codePage(std::string value) override { drawing.codePage = std::move(value); }
    void version(std::string value) override { drawing.version = std::move(value); }
    void layer(std::string name) override { drawing.layers.push_back(std::move(name)); }
    void beginBlock(std::string name, const position& base) override;
    void endBlock() override { m_block = nullptr; }
    void entity(EntityRecord&& record) override;
    void skipped(const SkippedKind& kind) override;

private:
    BlockDefinition* m_block = nullptr;
};
