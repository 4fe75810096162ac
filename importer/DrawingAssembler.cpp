#include <importer/DrawingSink.h>

void DrawingAssembler::beginBlock(std::string name, const position& base)
{
    BlockDefinition& block = drawing.blocks[std::move(name)];
    block = BlockDefinition{base, {}, {}};
    m_block = &block;
}

void DrawingAssembler::entity(EntityRecord&& record)
{
    (m_block ? m_block->entities : drawing.entities).push_back(std::move(record));
}

void DrawingAssembler::skipped(const SkippedKind& kind)
{
    ++(m_block ? m_block->skipped : drawing.skipped)[kind];
}
