// The decoration of a printed page, in device units: the title and the date
// on a header line with a rule under it, the page number centred in a footer
// line with a rule over it, and the text area that remains between them.
#pragma once

#include "core/print/PrintTypes.h"

#include <cstdint>
#include <string>

namespace quarno {

struct TPageFrame {
    TPrintRect body; // where the printed lines go
    bool header = false;
    TPrintRect headerLine; // title at its left, date at its right
    int headerRule = 0;    // y of the rule under the header
    std::string title;     // empty unless the title is printed
    std::string dateTime;  // empty unless the date is printed
    bool footer = false;
    TPrintRect footerLine; // the page number centred in it
    int footerRule = 0;    // y of the rule over the footer
    std::string pageNumber;
};

// The frame of page pageNumber in rect for text lines lineHeight high; the
// smoPrintFilename, smoPrintDate and smoPrintPageNos bits of options say
// what is shown. dateTime is the already formatted date and time.
TPageFrame MakePageFrame(const TPrintRect& rect, int lineHeight, uint32_t options,
                         const std::string& title, const std::string& dateTime, int pageNumber);
// "date - time", as the header shows it.
std::string HeaderDateText(const std::string& date, const std::string& time);

} // namespace quarno
