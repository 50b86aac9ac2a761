#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

#include "buffer/MemoryBuffer.h"

namespace karvo {

// The ranges one command of the editor changes, each with the bytes the
// buffer does not hold at the moment: those from before the change while it
// stands, those from after it once it is undone. Undo and redo swap them.
struct ByteChange {
    struct Span {
        std::uint32_t offset = 0;
        std::vector<std::uint8_t> other;
    };
    std::vector<Span> spans;
    // Where the editor goes to show what an undo or redo of it did.
    std::uint32_t focus = 0;
    // One byte being typed, digit by digit: its second digit joins this
    // change instead of starting another.
    bool typing = false;

    std::size_t Bytes() const;
};

// Undo and redo of the editor's changes for as long as it is open.
class UndoHistory {
  public:
    // Older changes are forgotten beyond this many bytes kept, the newest
    // change always stays: some thirty fills of a 2 MiB buffer.
    static constexpr std::size_t kBudget = 64u << 20;

    using Range = std::pair<std::uint32_t, std::uint32_t>;  // offset, count
    // Takes the bytes of the ranges before a change is made. Ranges that
    // overlap or touch are kept as one (a move onto its own source), so that
    // no byte is held twice.
    ByteChange Before(const MemoryBuffer& buffer, std::initializer_list<Range> ranges,
                      std::uint32_t focus);
    // Keeps a change that has been made; what could be redone is dropped.
    void Commit(ByteChange change);

    // The last change when it is a byte still being typed at offset.
    ByteChange* TypingAt(std::uint32_t offset);
    // Ends the joining of digits into the last change.
    void EndTyping();

    bool CanUndo() const { return !done_.empty(); }
    bool CanRedo() const { return !undone_.empty(); }
    // The focus of the change taken back or made again; nullopt when none.
    std::optional<std::uint32_t> Undo(MemoryBuffer& buffer);
    std::optional<std::uint32_t> Redo(MemoryBuffer& buffer);

    // Bytes held for undo and redo together.
    std::size_t KeptBytes() const { return kept_; }

  private:
    static void Swap(MemoryBuffer& buffer, ByteChange& change);
    // Keeps a forgotten change's storage for the next ones: a fresh block of
    // megabytes costs a page fault a page.
    void Recycle(ByteChange& change);
    // A kept block of at least count bytes, or a new one.
    std::vector<std::uint8_t> Storage(std::size_t count);

    std::deque<ByteChange> done_;
    std::vector<ByteChange> undone_;
    // A copy or a move has two ranges; fills and typing one.
    static constexpr std::size_t kSpares = 2;
    std::vector<std::vector<std::uint8_t>> spares_;
    std::size_t kept_ = 0;
};

}  // namespace karvo
