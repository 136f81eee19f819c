// A file dialogs double: each dialog returns the next queued result (nothing,
// that is cancel, when the queue is empty) and records what it was asked.
#pragma once

#include "core/app/TFileDialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace quarno::test {

class TScriptedFileDialogs : public TFileDialogs {
public:
    struct Request {
        std::string dialog; // "open" or "save"
        TFileDialogOptions options;
    };

    void QueueFile(std::optional<std::string> path) { m_files.push_back(std::move(path)); }
    void QueueFont(std::optional<TFontChoice> font) { m_fonts.push_back(std::move(font)); }
    void QueueColor(std::optional<TColorChoice> color) { m_colors.push_back(std::move(color)); }
    void QueuePageSetup(std::optional<TPageSetup> setup) { m_setups.push_back(std::move(setup)); }

    std::optional<std::string> OpenFile(const TFileDialogOptions& options) override {
        m_requests.push_back({"open", options});
        return Take(m_files);
    }
    std::optional<std::string> SaveFile(const TFileDialogOptions& options) override {
        m_requests.push_back({"save", options});
        return Take(m_files);
    }
    std::optional<TFontChoice> ChooseFont(const TFontChoice& initial) override {
        m_fontRequests.push_back(initial);
        return Take(m_fonts);
    }
    std::optional<TColorChoice> ChooseColor(const TColorChoice& initial) override {
        m_colorRequests.push_back(initial);
        return Take(m_colors);
    }
    std::optional<TPageSetup> PageSetup(const TPageSetup& initial) override {
        m_setupRequests.push_back(initial);
        return Take(m_setups);
    }

    const std::vector<Request>& Requests() const { return m_requests; }
    const std::vector<TFontChoice>& FontRequests() const { return m_fontRequests; }
    const std::vector<TColorChoice>& ColorRequests() const { return m_colorRequests; }
    const std::vector<TPageSetup>& PageSetupRequests() const { return m_setupRequests; }

private:
    template <typename T> static std::optional<T> Take(std::deque<std::optional<T>>& queue) {
        if (queue.empty()) return std::nullopt;
        std::optional<T> value = std::move(queue.front());
        queue.pop_front();
        return value;
    }

    std::deque<std::optional<std::string>> m_files;
    std::deque<std::optional<TFontChoice>> m_fonts;
    std::deque<std::optional<TColorChoice>> m_colors;
    std::deque<std::optional<TPageSetup>> m_setups;
    std::vector<Request> m_requests;
    std::vector<TFontChoice> m_fontRequests;
    std::vector<TColorChoice> m_colorRequests;
    std::vector<TPageSetup> m_setupRequests;
};

} // namespace quarno::test
