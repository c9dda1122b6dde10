#include "skinctrls/SUITreeView.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace trimwell {

TsuiScrollBarSync PlanScrollBarSync(const std::optional<TsuiNativeBarInfo>& info, bool treeEnabled,
                                    const TsuiNativeScrollRange& range) {
    TsuiScrollBarSync sync;
    if (!info || info->state == kNativeBarInvisible || info->state == kNativeBarUnavailable) {
        sync.lineButton = 0;
        sync.enabled = false;
        sync.visible = false;
    } else if (treeEnabled) {
        sync.lineButton = static_cast<int>(std::min<std::int64_t>(
            std::llabs(std::int64_t{info->thumbBottom} - info->thumbTop), std::numeric_limits<int>::max()));
        sync.enabled = true;
        sync.visible = true;
    }
    const std::int64_t last = std::int64_t{range.max} - std::int64_t{range.page} + 1;
    sync.max = static_cast<int>(
        std::clamp<std::int64_t>(last, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    sync.min = range.min;
    sync.position = range.position;
    return sync;
}

void LayoutLinkedScrollBars(const TsuiBounds& tree, bool rightToLeft, TsuiLinkedBarBox* vertical,
                            TsuiLinkedBarBox* horizontal) {
    if (horizontal != nullptr) {
        TsuiBounds& bar = horizontal->bounds;
        if (tree.height < bar.height) {
            bar.top = tree.top;
        } else {
            bar.top = tree.top + tree.height - bar.height - 2;
            bar.left = tree.left + 1 + (rightToLeft && vertical != nullptr ? vertical->bounds.width : 0);
            bar.width = tree.width - 2 - (vertical != nullptr && vertical->visible ? vertical->bounds.width : 0);
        }
    }
    if (vertical != nullptr) {
        TsuiBounds& bar = vertical->bounds;
        if (tree.width < bar.width) {
            bar.left = tree.left;
        } else {
            bar.left = rightToLeft ? tree.left + 2 : tree.left + tree.width - bar.width - 2;
            bar.top = tree.top + 1;
            bar.height =
                tree.height - 2 - (horizontal != nullptr && horizontal->visible ? horizontal->bounds.height : 0);
        }
    }
}

}  // namespace trimwell
