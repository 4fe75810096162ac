#pragma once

#include <importer/DrawingSink.h>
#include <importer/ParseOutcome.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The records of a drawing as the reader process sends them over a pipe: a
// four-byte mark, then frames of a one-byte tag, a four-byte payload length
// and the payload, numbers in this machine's byte order (both ends are built
// together). The last frame says how the parse ended; nothing follows it.
// Each payload's fields are laid out once for both directions, in
// importer/RecordLayout.h.

// Encodes the records it receives and hands the bytes on in large pieces.
class RecordStreamWriter final : public DrawingSink {
public:
    using Output = std::function<void(std::string_view)>;
    explicit RecordStreamWriter(Output out);

    void insunits(int code) override;
    void codePage(std::string value) override;
    void version(std::string value) override;
    void layer(std::string name) override;
    void beginBlock(std::string name, const position& base) override;
    void endBlock() override;
    void entity(EntityRecord&& record) override;
    void skipped(const SkippedKind& kind) override;

    // Ends the stream with the parse's outcome and hands on what is left.
    void finish(DxfParseOutcome outcome);

private:
    // Appends a frame of the tag whose payload fields puts; a frame with a
    // number that is not finite is taken back (false). Hands the bytes on
    // once enough have gathered.
    template <typename Fields>
    bool frame(std::uint8_t tag, Fields fields);

    Output m_out;
    std::string m_buffer;
    std::size_t m_frameStart = 0;
};

// What is wrong with a stream that is refused.
enum class StreamFault {
    None,
    BadMark,     // it does not start with the mark
    BadFrame,    // unknown tag, or a payload whose length does not fit its tag
    BadNumber,   // a number that is not finite, or a flag that is neither 0 nor 1
    BadLayer,    // an entity names a layer that was not announced
    TooLarge,    // more entities, vertices, blocks, layers or kinds than the import takes
    AfterEnd,    // bytes after the last frame
};

// Decodes a stream fed in pieces of any size, checking every frame as if it
// came from a stranger: lengths, counts against the import's limits, finite
// numbers, known layers. Records go to the sink as their frames complete.
class RecordStreamReader {
public:
    explicit RecordStreamReader(DrawingSink& sink);

    // Takes the next bytes; false once the stream is refused.
    bool feed(std::string_view bytes);

    bool ended() const { return m_ended; }
    // How the parse ended, once ended().
    DxfParseOutcome outcome() const { return m_outcome; }
    StreamFault fault() const { return m_fault; }

private:
    // The entities and the drawing's header records; the rest go on to
    // decodeBlockOrEnd.
    bool decodeFrame(std::uint8_t tag, std::string_view payload);
    bool decodeBlockOrEnd(std::uint8_t tag, std::string_view payload);
    bool decodeEntity(EntityRecord& record, std::string_view payload);
    bool takeSkipped(const SkippedKind& kind);
    bool fail(StreamFault fault);

    DrawingSink& m_sink;
    std::vector<char> m_pending; // bytes of a frame not yet complete
    bool m_sawMark = false;
    bool m_ended = false;
    DxfParseOutcome m_outcome = DxfParseOutcome::Damaged;
    StreamFault m_fault = StreamFault::None;
    std::size_t m_layers = 0;
    std::size_t m_entities = 0;
    std::size_t m_vertices = 0;
    std::size_t m_blocks = 0;
    std::vector<SkippedKind> m_kinds; // distinct skipped kinds
};
