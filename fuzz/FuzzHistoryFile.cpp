// Fuzz harness: the history file QUARNO.DAT over arbitrary contents. Every
// section reads as at most 20 non-empty items; rewriting one section (with
// items taken from the input, line breaks and all) must read back as the
// items the file can hold and, where the sections stand apart, leave the
// other sections as they were.
#include "core/app/TEdPersistent.h"
#include "core/base/StringUtils.h"
#include "support/ScratchFile.h"

#include <cstdlib>
#include <string>
#include <vector>

using namespace quarno;

namespace {

const char* const kHeaders[] = {"[MRU]", "[FindHistory]", "[ReplaceHistory]"};

std::vector<std::string> ReadAll(TEdPersistent& history, int index) {
    std::vector<std::string> items = history.ReadSection(kHeaders[index]);
    if (items.size() > TEdPersistent::kSectionLimit) std::abort();
    for (const std::string& item : items)
        if (item.empty() || item.find_first_of("\r\n") != std::string::npos) std::abort();
    return items;
}

bool LikeHeader(const std::string& item) {
    for (const char* header : kHeaders)
        if (SameText(item, header)) return true;
    return false;
}

// What a section written with these items reads back as: of the first 20,
// those neither empty nor holding a line break nor spelled like a header.
std::vector<std::string> Kept(const std::vector<std::string>& items) {
    std::vector<std::string> kept;
    for (size_t i = 0; i < items.size() && i < TEdPersistent::kSectionLimit; ++i)
        if (!items[i].empty() && items[i].find_first_of("\r\n") == std::string::npos &&
            !LikeHeader(items[i]))
            kept.push_back(items[i]);
    return kept;
}

// Each header at most once, at the start or after an empty line: then no
// section runs into another, and rewriting one cannot touch the others. (In
// a file edited by hand a section ends only at an empty line, so a header
// without one before it belongs to the section above and goes with it.)
bool SectionsApart(const std::string& bytes) {
    std::vector<std::string> lines = SplitLines(bytes);
    int seen[3] = {0, 0, 0};
    for (size_t i = 0; i < lines.size(); ++i)
        for (int h = 0; h < 3; ++h)
            if (SameText(lines[i], kHeaders[h]) &&
                (++seen[h] > 1 || (i > 0 && !lines[i - 1].empty())))
                return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    fuzz::WriteScratch("QUARNO.DAT", bytes);
    TEdPersistent history(fuzz::ScratchFolder(), "QUARNO.DAT", TEdPersistent::mfLeave);
    std::vector<std::string> before[3];
    for (int i = 0; i < 3; ++i)
        before[i] = ReadAll(history, i);
    int rewritten = data[0] % 3;
    // Items cut from the input at NULs, so they hold line breaks and headers.
    std::vector<std::string> items;
    std::string item;
    for (char c : bytes.substr(0, 512)) {
        if (c != '\0') {
            item += c;
            continue;
        }
        items.push_back(item);
        item.clear();
    }
    items.push_back(item);
    history.WriteSection(kHeaders[rewritten], items);
    TEdPersistent again(fuzz::ScratchFolder(), "QUARNO.DAT", TEdPersistent::mfLeave);
    if (ReadAll(again, rewritten) != Kept(items)) std::abort();
    if (!SectionsApart(bytes)) return 0;
    for (int i = 0; i < 3; ++i)
        if (i != rewritten && ReadAll(again, i) != before[i]) std::abort();
    return 0;
}
