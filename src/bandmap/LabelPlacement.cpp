#include "bandmap/LabelPlacement.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// A run of neighbouring spots laid out as one block of rows.
struct Group {
    int first = 0;
    int count = 0;
    int rows = 0;
    double top = 0;
};

} // namespace

QList<PlacedLabel> placeLabels(const QList<LabelRequest>& requests, double rowHeight,
                               double viewHeight, double maxLeader) {
    const int viewRows = std::max(1, int(std::floor(viewHeight / rowHeight)));
    // Rows a group may take: as far as its spots reach, and maxLeader beyond each end.
    const auto lay = [&](Group& group) {
        const double firstAnchor = requests[group.first].anchor;
        const double lastAnchor = requests[group.first + group.count - 1].anchor;
        const int roomRows = std::max(
            1, int(std::floor((lastAnchor - firstAnchor + 2 * maxLeader) / rowHeight + 1e-9)));
        group.rows = std::min({group.count, roomRows, viewRows});
        double sum = 0;
        for (int i = group.first; i < group.first + group.count; ++i)
            sum += requests[i].anchor;
        const double height = group.rows * rowHeight;
        group.top =
            std::clamp(sum / group.count - height / 2, 0.0, std::max(0.0, viewHeight - height));
    };

    QList<Group> groups;
    for (int i = 0; i < requests.size(); ++i) {
        Group group{i, 1, 1, 0};
        lay(group);
        // Merged with the group above while they overlap; the merged one may overlap the
        // one above that in turn.
        while (!groups.isEmpty() &&
               groups.last().top + groups.last().rows * rowHeight > group.top + 1e-9) {
            const Group above = groups.takeLast();
            group = Group{above.first, above.count + group.count, 0, 0};
            lay(group);
        }
        groups.append(group);
    }

    QList<PlacedLabel> placed;
    for (const Group& group : groups) {
        const bool someHidden = group.rows < group.count;
        const int shownCount = someHidden ? group.rows - 1 : group.count;
        // The wanted spots are kept; they keep their order along the scale.
        QList<int> members(group.count);
        std::iota(members.begin(), members.end(), group.first);
        std::stable_sort(members.begin(), members.end(),
                         [&](int a, int b) { return requests[a].priority > requests[b].priority; });
        QList<int> shown = members.first(shownCount);
        std::sort(shown.begin(), shown.end());
        double row = group.top;
        for (const int spot : shown) {
            placed.append({spot, 0, row, requests[spot].anchor});
            row += rowHeight;
        }
        if (someHidden) {
            double sum = 0;
            for (const int spot : members.sliced(shownCount))
                sum += requests[spot].anchor;
            const int hidden = group.count - shownCount;
            placed.append({-1, hidden, row, sum / hidden});
        }
    }
    return placed;
}
