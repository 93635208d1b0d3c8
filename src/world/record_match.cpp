#include "world/record_match.h"

#include <functional>

namespace {
// Myers' difference search costs about (n + m) * d steps and d * d memory for d edits.
// Past this many edits the records between the common start and end are taken as one
// stretch: two worlds that far apart gain nothing from a finer match.
constexpr int MAX_EDITS = 2000;

class Keys {
public:
    const std::vector<std::string>& olds;
    const std::vector<std::string>& news;
    std::vector<size_t> oldHash, newHash;
    bool equal(int i, int j) const { return oldHash[i] == newHash[j] && olds[i] == news[j]; }
};

// The kept pairs (old, new) of a longest common subsequence of olds[a0..a1) and news[b0..b1),
// in order; false when it would take more than MAX_EDITS edits.
bool longestCommon(const Keys& keys, int a0, int a1, int b0, int b1, std::vector<std::pair<int, int>>& kept) {
    const int n = a1 - a0, m = b1 - b0;
    const int maxD = n + m < MAX_EDITS ? n + m : MAX_EDITS;
    const int offset = maxD + 1;
    std::vector<int> v(static_cast<size_t>(2 * offset + 1), 0);
    std::vector<std::vector<int>> trace;  // v over k = -d-1..d+1 after each step d
    int found = -1;
    for (int d = 0; d <= maxD && found < 0; ++d) {
        for (int k = -d; k <= d; k += 2) {
            int x = (k == -d || (k != d && v[offset + k - 1] < v[offset + k + 1])) ? v[offset + k + 1]
                                                                                 : v[offset + k - 1] + 1;
            int y = x - k;
            while (x < n && y < m && keys.equal(a0 + x, b0 + y)) ++x, ++y;
            v[offset + k] = x;
            if (x >= n && y >= m) found = d;
        }
        trace.emplace_back(v.begin() + (offset - d - 1), v.begin() + (offset + d + 2));
    }
    if (found < 0) return false;
    std::vector<std::pair<int, int>> reversed;
    int x = n, y = m;
    for (int d = found; d > 0; --d) {
        const std::vector<int>& before = trace[static_cast<size_t>(d - 1)];
        auto at = [&](int k) { return before[static_cast<size_t>(k + d)]; };  // before spans -d..d
        int k = x - y;
        int prevK = (k == -d || (k != d && at(k - 1) < at(k + 1))) ? k + 1 : k - 1;
        int prevX = at(prevK), prevY = prevX - prevK;
        while (x > prevX && y > prevY) reversed.emplace_back(a0 + --x, b0 + --y);
        x = prevX;
        y = prevY;
    }
    while (x > 0 && y > 0) reversed.emplace_back(a0 + --x, b0 + --y);
    kept.insert(kept.end(), reversed.rbegin(), reversed.rend());
    return true;
}

void addStretch(std::vector<RecordEdit>& edits, int a0, int a1, int b0, int b1) {
    if (a1 - a0 == b1 - b0) {
        for (int i = 0; i < a1 - a0; ++i) edits.push_back(RecordEdit{RecordChange::Changed, a0 + i, b0 + i});
        return;
    }
    for (int i = a0; i < a1; ++i) edits.push_back(RecordEdit{RecordChange::Removed, i, -1});
    for (int j = b0; j < b1; ++j) edits.push_back(RecordEdit{RecordChange::Added, -1, j});
}
}  // namespace

std::vector<RecordEdit> matchRecords(const std::vector<std::string>& olds, const std::vector<std::string>& news) {
    Keys keys{olds, news, {}, {}};
    std::hash<std::string> hash;
    for (const std::string& s : olds) keys.oldHash.push_back(hash(s));
    for (const std::string& s : news) keys.newHash.push_back(hash(s));
    int n = static_cast<int>(olds.size()), m = static_cast<int>(news.size());
    int start = 0;
    while (start < n && start < m && keys.equal(start, start)) ++start;
    int endA = n, endB = m;
    while (endA > start && endB > start && keys.equal(endA - 1, endB - 1)) --endA, --endB;
    std::vector<std::pair<int, int>> kept;
    if (!longestCommon(keys, start, endA, start, endB, kept)) kept.clear();
    kept.emplace_back(endA, endB);  // the common end closes the last stretch
    std::vector<RecordEdit> edits;
    int a = start, b = start;
    for (const auto& [i, j] : kept) {
        addStretch(edits, a, i, b, j);
        a = i + 1;
        b = j + 1;
    }
    return edits;
}
