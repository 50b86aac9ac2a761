#include "editor/UndoHistory.h"

#include <algorithm>

namespace karvo {

std::size_t ByteChange::Bytes() const {
    std::size_t bytes = 0;
    for (const Span& span : spans) bytes += span.other.size();
    return bytes;
}

ByteChange UndoHistory::Before(const MemoryBuffer& buffer, std::initializer_list<Range> ranges,
                               std::uint32_t focus) {
    std::vector<Range> merged;
    for (const Range& range : ranges) {
        if (range.second > 0) merged.push_back(range);
    }
    std::sort(merged.begin(), merged.end());
    std::vector<Range> joined;
    for (const auto& [offset, count] : merged) {
        const std::uint64_t end = std::uint64_t{offset} + count;
        if (!joined.empty() &&
            offset <= std::uint64_t{joined.back().first} + joined.back().second) {
            const std::uint64_t last = std::max<std::uint64_t>(
                std::uint64_t{joined.back().first} + joined.back().second, end);
            joined.back().second = static_cast<std::uint32_t>(last - joined.back().first);
        } else {
            joined.emplace_back(offset, count);
        }
    }
    ByteChange change;
    change.focus = focus;
    for (const auto& [offset, count] : joined) {
        ByteChange::Span span;
        span.offset = offset;
        span.other = Storage(count);
        span.other.assign(buffer.Data() + offset, buffer.Data() + offset + count);
        change.spans.push_back(std::move(span));
    }
    return change;
}

std::vector<std::uint8_t> UndoHistory::Storage(std::size_t count) {
    for (auto spare = spares_.begin(); spare != spares_.end(); ++spare) {
        if (spare->capacity() < count) continue;
        std::vector<std::uint8_t> storage = std::move(*spare);
        spares_.erase(spare);
        return storage;
    }
    return {};
}

void UndoHistory::Recycle(ByteChange& change) {
    // The largest blocks are the ones worth keeping.
    for (ByteChange::Span& span : change.spans) {
        if (span.other.capacity() < 4096) continue;
        spares_.push_back(std::move(span.other));
    }
    std::sort(spares_.begin(), spares_.end(),
              [](const auto& a, const auto& b) { return a.capacity() > b.capacity(); });
    if (spares_.size() > kSpares) spares_.resize(kSpares);
}

void UndoHistory::Commit(ByteChange change) {
    if (change.spans.empty()) return;
    for (ByteChange& gone : undone_) {
        kept_ -= gone.Bytes();
        Recycle(gone);
    }
    undone_.clear();
    kept_ += change.Bytes();
    done_.push_back(std::move(change));
    while (done_.size() > 1 && kept_ > kBudget) {
        kept_ -= done_.front().Bytes();
        Recycle(done_.front());
        done_.pop_front();
    }
}

ByteChange* UndoHistory::TypingAt(std::uint32_t offset) {
    if (done_.empty() || !undone_.empty()) return nullptr;
    ByteChange& last = done_.back();
    if (!last.typing || last.spans.size() != 1 || last.spans[0].offset != offset) return nullptr;
    return &last;
}

void UndoHistory::EndTyping() {
    if (!done_.empty()) done_.back().typing = false;
}

void UndoHistory::Swap(MemoryBuffer& buffer, ByteChange& change) {
    // The spans never overlap, so their order does not matter.
    for (ByteChange::Span& span : change.spans) {
        std::swap_ranges(span.other.begin(), span.other.end(), buffer.Data() + span.offset);
    }
}

std::optional<std::uint32_t> UndoHistory::Undo(MemoryBuffer& buffer) {
    if (done_.empty()) return std::nullopt;
    ByteChange change = std::move(done_.back());
    done_.pop_back();
    change.typing = false;
    Swap(buffer, change);
    const std::uint32_t focus = change.focus;
    undone_.push_back(std::move(change));
    return focus;
}

std::optional<std::uint32_t> UndoHistory::Redo(MemoryBuffer& buffer) {
    if (undone_.empty()) return std::nullopt;
    ByteChange change = std::move(undone_.back());
    undone_.pop_back();
    Swap(buffer, change);
    const std::uint32_t focus = change.focus;
    done_.push_back(std::move(change));
    return focus;
}

}  // namespace karvo
