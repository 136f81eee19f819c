// One record of the document as the view shows it: its characters expanded to
// display columns (a TAB covers the columns up to its tab stop) with their
// token bytes, from the left column on, split into runs of one token and one
// selection state. Painting draws the runs; OnDrawLine sees the expanded text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quarno {

class TCustomLexipad;

struct TDisplayRun {
    int column = 0;  // first display column, counted from the left column
    int columns = 0; // display columns covered
    int offset = 0;  // offset of the first character in the record
    int length = 0;  // characters covered
    uint8_t token = 0;
    bool selected = false;
    bool tab = false; // the run is one TAB (or the part of it right of the left column)
};

class TDisplayLine {
public:
    // Lays out a record of the control's store, at most maxColumns columns
    // from the left column on. An index outside the store gives an empty line.
    void Build(const TCustomLexipad& pad, int record, int maxColumns);

    // The expanded characters from the left column on (a TAB's columns are
    // blanks) and one token byte per column.
    const std::string& Text() const { return m_text; }
    const std::vector<uint8_t>& Tokens() const { return m_tokens; }
    const std::vector<TDisplayRun>& Runs() const { return m_runs; }
    // Position of the record's first character.
    int RecordStart() const { return m_recordStart; }
    // Display columns of the whole record text, counted from the left column
    // (negative when the text ends left of the view).
    int EndColumn() const { return m_endColumn; }
    // The record ends with a line break / the next record continues its line.
    bool EndsWithBreak() const { return m_endsWithBreak; }
    bool ContinuesBelow() const { return m_continuesBelow; }
    // The selection goes on past the last character of the record.
    bool SelectedPastEnd() const { return m_selectedPastEnd; }

private:
    void AddColumns(int column, int count, int offset, uint8_t token, bool selected, bool tab);

    std::string m_text;
    std::vector<uint8_t> m_tokens;
    std::vector<TDisplayRun> m_runs;
    int m_recordStart = 0;
    int m_endColumn = 0;
    bool m_endsWithBreak = false;
    bool m_continuesBelow = false;
    bool m_selectedPastEnd = false;
};

} // namespace quarno
