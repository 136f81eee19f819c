// A desktop double: records every document and address handed to it;
// answers whether an opener is registered and whether opening works as the
// test sets it up.
#pragma once

#include "core/app/TDesktop.h"

#include <string>
#include <vector>

namespace quarno::test {

class TRecordingDesktop : public TDesktop {
public:
    bool OpenDocument(const std::string& path) override {
        documents.push_back(path);
        return opens;
    }
    bool OpenUrl(const std::string& url) override {
        urls.push_back(url);
        return opens;
    }
    bool HasOpenerFor(const std::string& path) override {
        asked.push_back(path);
        return hasOpener;
    }

    bool opens = true;     // the opener could be started
    bool hasOpener = true; // the desktop has a program for every file type
    std::vector<std::string> documents;
    std::vector<std::string> urls;
    std::vector<std::string> asked;
};

} // namespace quarno::test
