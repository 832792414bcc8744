#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <random>
#include <vector>

#include "chunked_list/ChunkedList.h"

namespace {

using Item = std::shared_ptr<int>;
using List = base::ChunkedList<Item>;
constexpr std::size_t chunk = List::maxChunk;

// Everything the list tells must be what a plain vector holding the same
// items tells: order both ways, positions, and the positions of items gone.
void expectSame(const List& list, const std::vector<Item>& model, const std::vector<Item>& gone) {
    ASSERT_EQ(list.size(), model.size());
    EXPECT_EQ(list.toVector(), model);
    EXPECT_EQ(std::vector<Item>(list.rbegin(), list.rend()), std::vector<Item>(model.rbegin(), model.rend()));
    for (std::size_t i = 0; i < model.size(); ++i) {
        ASSERT_EQ(list[i], model[i]) << "at " << i;
        ASSERT_EQ(list.indexOf(model[i].get()), static_cast<std::ptrdiff_t>(i));
    }
    for (const Item& item : gone) EXPECT_EQ(list.indexOf(item.get()), -1);
}

void fill(List& list, std::vector<Item>& model, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        model.push_back(std::make_shared<int>(static_cast<int>(i)));
        list.push_back(model.back());
    }
}

// Places where chunks begin, end, split and empty.
TEST(ChunkedList, EditsAtChunkBoundaries) {
    enum class Op { insert, erase, move };
    struct Case {
        const char* name;
        std::size_t size;
        Op op;
        std::size_t at;
        std::size_t to;
    };
    const Case cases[] = {
        {"insert at 0 of a full chunk", chunk, Op::insert, 0, 0},
        {"insert at the end", 2 * chunk, Op::insert, 2 * chunk, 0},
        {"insert at a chunk's first place", 2 * chunk + 3, Op::insert, chunk, 0},
        {"insert at a full chunk's last place", 2 * chunk, Op::insert, chunk - 1, 0},
        {"erase the only item of the last chunk", chunk + 1, Op::erase, chunk, 0},
        {"erase a chunk's first item", 3 * chunk, Op::erase, chunk, 0},
        {"erase the first item", 2 * chunk, Op::erase, 0, 0},
        {"move the first to the last place", 2 * chunk + 1, Op::move, 0, 2 * chunk},
        {"move the last to the first place", 2 * chunk + 1, Op::move, 2 * chunk, 0},
        {"move across a boundary", 2 * chunk, Op::move, chunk - 1, chunk},
        {"a short list", 3, Op::move, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        List list;
        std::vector<Item> model;
        std::vector<Item> gone;
        fill(list, model, c.size);
        // Search once first, so that the edit also keeps the search table.
        ASSERT_EQ(list.indexOf(model.back().get()), static_cast<std::ptrdiff_t>(c.size - 1));
        if (c.op == Op::insert) {
            auto item = std::make_shared<int>(-1);
            list.insert(c.at, item);
            model.insert(model.begin() + static_cast<std::ptrdiff_t>(c.at), item);
        } else if (c.op == Op::erase) {
            EXPECT_EQ(list.erase(c.at), model[c.at]);
            gone.push_back(model[c.at]);
            model.erase(model.begin() + static_cast<std::ptrdiff_t>(c.at));
        } else {
            list.move(c.at, c.to);
            auto item = model[c.at];
            model.erase(model.begin() + static_cast<std::ptrdiff_t>(c.at));
            model.insert(model.begin() + static_cast<std::ptrdiff_t>(c.to), item);
        }
        expectSame(list, model, gone);
    }
}

// Random edits on lists that grow past several chunks and shrink back to
// nothing, with and without searches in between (the table is made on the
// first search of a long list).
TEST(ChunkedList, RandomEditsMatchAVector) {
    std::mt19937 random(7);
    for (bool search : {false, true}) {
        List list;
        std::vector<Item> model;
        std::vector<Item> gone;
        int next = 0;
        for (int round = 0; round < 6000; ++round) {
            // Grow for the first half, shrink for the second.
            const bool growing = round < 3000;
            const std::size_t pick = model.empty() ? 0 : random() % model.size();
            switch (random() % 4) {
                case 0:
                case 1:
                    if (growing || model.empty()) {
                        auto item = std::make_shared<int>(next++);
                        const std::size_t at = random() % (model.size() + 1);
                        list.insert(at, item);
                        model.insert(model.begin() + static_cast<std::ptrdiff_t>(at), item);
                    } else {
                        ASSERT_EQ(list.erase(pick), model[pick]);
                        gone.push_back(model[pick]);
                        model.erase(model.begin() + static_cast<std::ptrdiff_t>(pick));
                    }
                    break;
                case 2: {
                    if (model.empty()) break;
                    const std::size_t to = random() % model.size();
                    list.move(pick, to);
                    auto item = model[pick];
                    model.erase(model.begin() + static_cast<std::ptrdiff_t>(pick));
                    model.insert(model.begin() + static_cast<std::ptrdiff_t>(to), item);
                    break;
                }
                default:
                    if (growing) {
                        model.push_back(std::make_shared<int>(next++));
                        list.push_back(model.back());
                    } else if (!model.empty()) {
                        gone.push_back(list.erase(model.size() - 1));
                        model.pop_back();
                    }
            }
            if (search && !model.empty()) {
                ASSERT_EQ(list.indexOf(model[pick % model.size()].get()),
                          static_cast<std::ptrdiff_t>(pick % model.size()));
            }
            if (round % 500 == 0 || round == 5999) expectSame(list, model, gone);
        }
    }
}

}  // namespace
