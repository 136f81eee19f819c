// The header and footer of a printed page.
#include "core/print/TPageFrame.h"

#include "core/base/StringUtils.h"
#include "core/settings/TLP_Settings.h"

#include <algorithm>

namespace quarno {

TPageFrame MakePageFrame(const TPrintRect& rect, int lineHeight, uint32_t options,
                         const std::string& title, const std::string& dateTime, int pageNumber) {
    int line = std::max(lineHeight, 1);
    TPageFrame frame;
    frame.body = rect;
    bool showTitle = (options & smoPrintFilename) != 0;
    bool showDate = (options & smoPrintDate) != 0;
    if (showTitle || showDate) {
        frame.header = true;
        frame.headerLine = {rect.left, rect.top, rect.right, rect.top + line};
        frame.headerRule = rect.top + 2 * line;
        if (showTitle) frame.title = title;
        if (showDate) frame.dateTime = dateTime;
        frame.body.top = rect.top + 3 * line;
    }
    if (options & smoPrintPageNos) {
        frame.footer = true;
        int top = rect.bottom - (5 * line + 1) / 2;
        frame.footerLine = {rect.left, top, rect.right, top + line};
        frame.footerRule = rect.bottom - 3 * line;
        frame.pageNumber = Format("- %d -", pageNumber);
        frame.body.bottom = rect.bottom - 4 * line;
    }
    return frame;
}

std::string HeaderDateText(const std::string& date, const std::string& time) {
    return date + " - " + time;
}

} // namespace quarno
