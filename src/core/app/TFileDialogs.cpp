// Filter texts of the file dialogs.
#include "core/app/TFileDialogs.h"

#include "core/base/StringUtils.h"

namespace quarno {

static std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

std::vector<TDialogFilter> ParseDialogFilter(const std::string& filter) {
    std::vector<TDialogFilter> entries;
    if (Trim(filter).empty()) return entries;
    std::vector<std::string> parts = Split(filter, '|');
    for (size_t i = 0; i < parts.size(); i += 2) {
        TDialogFilter entry{std::string(Trim(parts[i])), {}};
        const std::string& patterns = i + 1 < parts.size() ? parts[i + 1] : parts[i];
        for (const std::string& pattern : Split(patterns, ';'))
            if (!Trim(pattern).empty()) entry.patterns.emplace_back(Trim(pattern));
        if (!entry.patterns.empty()) entries.push_back(std::move(entry));
    }
    return entries;
}

} // namespace quarno
