#include "runtime/common/DrawList.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <unordered_map>

#include "runtime/common/Node.h"

namespace gfxrt {

namespace {

// Lists up to this long are shared; longer ones (drawings built up command
// by command) belong to their object, so appending stays cheap.
constexpr std::size_t maxSharedLength = 16;

std::size_t mix(std::size_t hash, std::uint64_t value) {
    return hash ^ (value + 0x9e3779b97f4a7c15ULL + (hash << 6) + (hash >> 2));
}

std::size_t mix(std::size_t hash, double value) { return mix(hash, std::bit_cast<std::uint64_t>(value)); }

std::size_t mix(std::size_t hash, const DrawCommand& command) {
    hash = mix(hash, static_cast<std::uint64_t>(command.index()));
    std::visit(
        [&hash](const auto& c) {
            using C = std::decay_t<decltype(c)>;
            if constexpr (std::is_same_v<C, BeginFill>) {
                hash = mix(mix(hash, static_cast<std::uint64_t>(c.color)), c.alpha);
            } else if constexpr (std::is_same_v<C, SetLineStyle>) {
                hash = mix(mix(hash, c.style.thickness), static_cast<std::uint64_t>(c.style.color));
            } else if constexpr (std::is_same_v<C, MoveTo> || std::is_same_v<C, LineTo>) {
                hash = mix(mix(hash, c.x), c.y);
            } else if constexpr (std::is_same_v<C, DrawRect> || std::is_same_v<C, DrawEllipse>) {
                hash = mix(mix(mix(mix(hash, c.x), c.y), c.width), c.height);
            }
        },
        command);
    return hash;
}

// The hash of the commands, followed by `next` when one is given.
std::size_t hashOf(const std::vector<DrawCommand>& commands, const DrawCommand* next = nullptr) {
    std::size_t hash = commands.size() + (next != nullptr ? 1 : 0);
    for (const DrawCommand& command : commands) {
        hash = mix(hash, command);
    }
    return next != nullptr ? mix(hash, *next) : hash;
}

// The shared lists by the hash of their commands. Entries of lists no
// object draws any more are dropped now and then.
struct SharedLists {
    std::unordered_multimap<std::size_t, std::weak_ptr<void>> byHash;
    std::size_t sizeAfterPurge = 0;
};

SharedLists& sharedLists() {
    // Never destroyed: lists may be released while the program ends.
    static auto* lists = new SharedLists();
    return *lists;
}

const std::vector<DrawCommand> noCommands;

}  // namespace

const std::vector<DrawCommand>& DrawList::commands() const { return contents_ ? contents_->commands : noCommands; }

void DrawList::clear() {
    if (owner_ && !isEmpty()) {
        owner_->geometryChanged();
    }
    contents_.reset();
}

void DrawList::append(const DrawCommand& command) {
    if (owner_) {
        owner_->geometryChanged();
    }
    // A shared list (or none) that grows into a list already shared, as the
    // next of many objects drawing the same does, takes it without a copy.
    if ((!contents_ || contents_->shared) && commands().size() < maxSharedLength) {
        const std::vector<DrawCommand>& now = commands();
        auto [first, last] = sharedLists().byHash.equal_range(hashOf(now, &command));
        for (auto it = first; it != last; ++it) {
            auto existing = std::static_pointer_cast<Contents>(it->second.lock());
            if (existing && existing->commands.size() == now.size() + 1 && existing->commands.back() == command &&
                std::equal(now.begin(), now.end(), existing->commands.begin())) {
                contents_ = std::move(existing);
                return;
            }
        }
    }
    std::shared_ptr<Contents> next;
    if (contents_ && !contents_->shared && contents_.use_count() == 1) {
        next = std::move(contents_);
    } else {
        next = contents_ ? std::make_shared<Contents>(*contents_) : std::make_shared<Contents>();
        next->shared = false;
        next->grewFrom = contents_ && contents_->shared ? contents_ : nullptr;
    }
    apply(*next, command);
    contents_ = next->commands.size() <= maxSharedLength ? share(std::move(next)) : std::move(next);
}

std::shared_ptr<DrawList::Contents> DrawList::share(std::shared_ptr<Contents> contents) {
    SharedLists& lists = sharedLists();
    const std::size_t hash = hashOf(contents->commands);
    auto [first, last] = lists.byHash.equal_range(hash);
    for (auto it = first; it != last; ++it) {
        auto existing = std::static_pointer_cast<Contents>(it->second.lock());
        if (existing && existing->commands == contents->commands) {
            return existing;
        }
    }
    if (lists.byHash.size() > 2 * lists.sizeAfterPurge + 64) {
        std::erase_if(lists.byHash, [](const auto& entry) { return entry.second.expired(); });
        lists.sizeAfterPurge = lists.byHash.size();
    }
    contents->commands.shrink_to_fit();
    contents->shared = true;
    lists.byHash.emplace(hash, contents);
    return contents;
}

void DrawList::apply(Contents& c, const DrawCommand& command) {
    auto includePoint = [&c](double x, double y) {
        if (std::isfinite(x) && std::isfinite(y)) {
            c.shape.include(x, y);
        }
    };
    c.commands.push_back(command);
    if (const auto* style = std::get_if<SetLineStyle>(&command)) {
        if (style->style.drawsLines()) {
            const LineStyle& s = style->style;
            if (s.thickness == 0) {
                c.hasHairline = true;
            }
            // Half the width, stretched by a miter or a square cap at a corner.
            const double reach = std::max({std::sqrt(2.0), s.miterLimit, 1.0});
            if (std::isfinite(s.thickness)) {
                c.lineMargin = std::max(c.lineMargin, s.thickness * 0.5 * reach);
            }
        }
    } else if (const auto* move = std::get_if<MoveTo>(&command)) {
        c.penX = move->x;
        c.penY = move->y;
    } else if (const auto* line = std::get_if<LineTo>(&command)) {
        includePoint(c.penX, c.penY);
        includePoint(line->x, line->y);
        c.penX = line->x;
        c.penY = line->y;
    } else if (const auto* rect = std::get_if<DrawRect>(&command)) {
        includePoint(rect->x, rect->y);
        includePoint(rect->x + rect->width, rect->y + rect->height);
        c.penX = rect->x;
        c.penY = rect->y;
    } else if (const auto* ellipse = std::get_if<DrawEllipse>(&command)) {
        includePoint(ellipse->x, ellipse->y);
        includePoint(ellipse->x + ellipse->width, ellipse->y + ellipse->height);
        c.penX = ellipse->x;
        c.penY = ellipse->y;
    }
}

Bounds DrawList::bounds() const {
    if (!contents_) {
        return Bounds{};
    }
    Bounds out = contents_->shape;
    out.inflate(contents_->lineMargin);
    if (contents_->hasHairline) {
        out.inflate(1);
    }
    return out;
}

}  // namespace gfxrt
