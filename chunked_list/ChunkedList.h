// An ordered list of shared pointers for containers of very many children
// (a level's hundred thousand cells): the items are kept in chunks of at most
// maxChunk, so inserting, removing and moving an item shifts one chunk, not
// the whole list. Finding an item's position in a long list goes through a
// table from the item to its chunk, made on the first search (a list that is
// never searched does not pay for it) and kept up to date from then on.
// Walking the list in order is a walk over a few arrays.
#ifndef VYN_BASE_CHUNKEDLIST_H
#define VYN_BASE_CHUNKEDLIST_H

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

namespace base {

template <class Ptr>
class ChunkedList {
    struct Chunk {
        std::vector<Ptr> items;
        // The position of the first item; valid while startsValid_.
        std::size_t start = 0;
    };
    using Chunks = std::vector<std::unique_ptr<Chunk>>;

public:
    // A full chunk splits in two halves; a chunk under a quarter of this
    // joins a neighbour when the two fit in one.
    static constexpr std::size_t maxChunk = 512;
    // Shorter lists are searched item by item: no table.
    static constexpr std::size_t searchTableFrom = 256;

    class const_iterator {
    public:
        using iterator_category = std::bidirectional_iterator_tag;
        using value_type = Ptr;
        using difference_type = std::ptrdiff_t;
        using pointer = const Ptr*;
        using reference = const Ptr&;

        const_iterator() = default;
        reference operator*() const { return (*chunks_)[chunk_]->items[offset_]; }
        pointer operator->() const { return &**this; }
        const_iterator& operator++() {
            if (++offset_ == (*chunks_)[chunk_]->items.size()) {
                ++chunk_;
                offset_ = 0;
            }
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator was = *this;
            ++*this;
            return was;
        }
        const_iterator& operator--() {
            if (offset_ == 0) {
                --chunk_;
                offset_ = (*chunks_)[chunk_]->items.size();
            }
            --offset_;
            return *this;
        }
        const_iterator operator--(int) {
            const_iterator was = *this;
            --*this;
            return was;
        }
        bool operator==(const const_iterator& other) const {
            return chunk_ == other.chunk_ && offset_ == other.offset_;
        }

    private:
        friend class ChunkedList;
        const_iterator(const Chunks* chunks, std::size_t chunk, std::size_t offset)
            : chunks_(chunks), chunk_(chunk), offset_(offset) {}
        const Chunks* chunks_ = nullptr;
        std::size_t chunk_ = 0;
        std::size_t offset_ = 0;
    };
    using const_reverse_iterator = std::reverse_iterator<const_iterator>;

    ChunkedList() = default;
    ChunkedList(const ChunkedList&) = delete;
    ChunkedList& operator=(const ChunkedList&) = delete;

    [[nodiscard]] std::size_t size() const { return size_; }
    [[nodiscard]] bool empty() const { return size_ == 0; }
    [[nodiscard]] const_iterator begin() const { return {&chunks_, 0, 0}; }
    [[nodiscard]] const_iterator end() const { return {&chunks_, chunks_.size(), 0}; }
    [[nodiscard]] const_reverse_iterator rbegin() const { return const_reverse_iterator(end()); }
    [[nodiscard]] const_reverse_iterator rend() const { return const_reverse_iterator(begin()); }
    [[nodiscard]] const Ptr& front() const { return chunks_.front()->items.front(); }
    [[nodiscard]] const Ptr& back() const { return chunks_.back()->items.back(); }

    // The item at a position below size().
    [[nodiscard]] const Ptr& operator[](std::size_t index) const {
        const std::size_t c = chunkAt(index);
        return chunks_[c]->items[index - chunks_[c]->start];
    }

    // The item's position, or -1.
    [[nodiscard]] std::ptrdiff_t indexOf(const void* item) const {
        if (size_ < searchTableFrom && table_.empty()) {
            std::ptrdiff_t at = 0;
            for (const Ptr& p : *this) {
                if (p.get() == item) return at;
                ++at;
            }
            return -1;
        }
        if (table_.empty()) fillTable();
        const auto found = table_.find(item);
        if (found == table_.end()) return -1;
        updateStarts();
        const Chunk& chunk = *found->second;
        const auto in =
            std::find_if(chunk.items.begin(), chunk.items.end(), [item](const Ptr& p) { return p.get() == item; });
        return static_cast<std::ptrdiff_t>(chunk.start) + (in - chunk.items.begin());
    }

    void push_back(Ptr item) {
        if (chunks_.empty() || chunks_.back()->items.size() >= maxChunk) {
            chunks_.push_back(std::make_unique<Chunk>());
            chunks_.back()->start = size_;
        }
        Chunk& last = *chunks_.back();
        remember(item, &last);
        last.items.push_back(std::move(item));
        ++size_;
    }

    // Inserts before the item at the position; size() appends.
    void insert(std::size_t index, Ptr item) {
        if (index >= size_) {
            push_back(std::move(item));
            return;
        }
        std::size_t c = chunkAt(index);
        if (chunks_[c]->items.size() >= maxChunk) {
            split(c);
            if (index >= chunks_[c + 1]->start) ++c;
        }
        Chunk& chunk = *chunks_[c];
        remember(item, &chunk);
        chunk.items.insert(chunk.items.begin() + static_cast<std::ptrdiff_t>(index - chunk.start), std::move(item));
        ++size_;
        startsValid_ = false;
    }

    // Takes the item at a position below size() out of the list.
    Ptr erase(std::size_t index) {
        const std::size_t c = chunkAt(index);
        Chunk& chunk = *chunks_[c];
        const auto at = chunk.items.begin() + static_cast<std::ptrdiff_t>(index - chunk.start);
        Ptr item = std::move(*at);
        chunk.items.erase(at);
        if (!table_.empty()) table_.erase(item.get());
        --size_;
        startsValid_ = false;
        shrink(c);
        return item;
    }

    // Moves the item at from to position to, the items between shifting by
    // one place; both below size().
    void move(std::size_t from, std::size_t to) {
        if (from == to) return;
        Ptr item = erase(from);
        insert(to, std::move(item));
    }

    [[nodiscard]] std::vector<Ptr> toVector() const { return {begin(), end()}; }

private:
    // The chunk holding a position below size().
    std::size_t chunkAt(std::size_t index) const {
        updateStarts();
        const auto after = std::upper_bound(chunks_.begin(), chunks_.end(), index,
                                            [](std::size_t i, const auto& chunk) { return i < chunk->start; });
        return static_cast<std::size_t>(after - chunks_.begin()) - 1;
    }

    void updateStarts() const {
        if (startsValid_) return;
        std::size_t start = 0;
        for (const auto& chunk : chunks_) {
            chunk->start = start;
            start += chunk->items.size();
        }
        startsValid_ = true;
    }

    void split(std::size_t c) {
        auto second = std::make_unique<Chunk>();
        auto& items = chunks_[c]->items;
        const auto half = items.begin() + static_cast<std::ptrdiff_t>(items.size() / 2);
        second->items.assign(std::make_move_iterator(half), std::make_move_iterator(items.end()));
        items.erase(half, items.end());
        for (const Ptr& p : second->items) remember(p, second.get());
        second->start = chunks_[c]->start + items.size();
        chunks_.insert(chunks_.begin() + static_cast<std::ptrdiff_t>(c) + 1, std::move(second));
    }

    // An emptied chunk goes; a small one joins a neighbour it fits in, so
    // that many removals do not leave a list of tiny chunks.
    void shrink(std::size_t c) {
        const std::size_t n = chunks_[c]->items.size();
        if (n == 0) {
            chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(c));
            return;
        }
        if (n >= maxChunk / 4) return;
        for (std::size_t into : {c - 1, c + 1}) {
            if (into >= chunks_.size() || chunks_[into]->items.size() + n > maxChunk) continue;
            auto& target = chunks_[into]->items;
            auto& source = chunks_[c]->items;
            for (const Ptr& p : source) remember(p, chunks_[into].get());
            target.insert(into < c ? target.end() : target.begin(), std::make_move_iterator(source.begin()),
                          std::make_move_iterator(source.end()));
            chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(c));
            return;
        }
    }

    void remember(const Ptr& item, Chunk* chunk) {
        if (!table_.empty()) table_[item.get()] = chunk;
    }

    void fillTable() const {
        table_.reserve(size_);
        for (const auto& chunk : chunks_) {
            for (const Ptr& p : chunk->items) table_.emplace(p.get(), chunk.get());
        }
    }

    Chunks chunks_;
    std::size_t size_ = 0;
    mutable bool startsValid_ = true;
    mutable std::unordered_map<const void*, Chunk*> table_;
};

}  // namespace base

#endif
