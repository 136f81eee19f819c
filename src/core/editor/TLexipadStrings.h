// The `Lines` view of an editing control: its records as a list of strings,
// every operation forwarded to the control's messages and primitives.
#pragma once

#include <string>
#include <string_view>

namespace quarno {

class TCustomLexipad;
class TStream;

class TLexipadStrings {
public:
    explicit TLexipadStrings(TCustomLexipad& pad) : m_pad(pad) {}

    // Records of the document; 0 when it is empty.
    int Count() const;
    // A line without its CR, cut to 4096 characters; "" past the end.
    std::string Get(int index) const;
    // Replaces a line's text (its CR stays).
    void Put(int index, std::string_view text);
    // Inserts text and a line break before a line; at or past the end the
    // text becomes a new last line.
    void Insert(int index, std::string_view text);
    void Add(std::string_view text) { Insert(Count(), text); }
    // Removes a line with its line break.
    void Delete(int index);

    void BeginUpdate();
    void EndUpdate();

    std::string Text() const;
    // Normalises the line breaks; nothing happens when the text is the same.
    void SetText(std::string_view text);

    void LoadFromFile(const std::string& path);
    void SaveToFile(const std::string& path);
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream);

private:
    TCustomLexipad& m_pad;
};

} // namespace quarno
