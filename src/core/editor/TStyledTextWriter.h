// The rich-text and HTML writers: a range of a document with its token
// styles, as the clipboard's rich text and HTML formats and the sfRTF and
// sfHTML save formats write it.
#pragma once

#include <string>

namespace quarno {

class TLP_Settings;
class TTextStore;

struct THtmlHeader {
    std::string title; // the print title
    std::string date;  // the date shown in the header
};

// The style of each character comes from its token byte (0 when the record
// has none) through the settings' token-to-style map.
std::string WriteRtf(const TTextStore& store, int start, int end, const TLP_Settings& settings);
std::string WriteHtml(const TTextStore& store, int start, int end, const TLP_Settings& settings,
                      const THtmlHeader& header);

// Today's date as the HTML header shows it (YYYY-MM-DD).
std::string TodayText();

} // namespace quarno
