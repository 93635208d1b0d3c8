#pragma once
// Matching two sequences of records the way `diff` matches lines: the longest run of equal
// records in order is kept, and what lies between is added, removed or changed.
#include <string>
#include <vector>

enum class RecordChange { Added, Removed, Changed };

class RecordEdit {
public:
    RecordChange change;
    int oldIndex;  // -1 for an added record
    int newIndex;  // -1 for a removed one
};

// The edits that turn olds into news, in order. Within a stretch between kept records that
// has as many olds as news, they pair up in order as changed; otherwise the olds are
// removed and the news added.
std::vector<RecordEdit> matchRecords(const std::vector<std::string>& olds, const std::vector<std::string>& news);
