// Stream form of the keyword table.
#include "core/highlight/TSyntaxKeywords.h"

#include "core/base/Exceptions.h"
#include "core/base/StringUtils.h"
#include "core/base/TStream.h"

namespace quarno {

void TSyntaxKeywords::WriteTo(TStream& stream) const {
    WriteInt32(stream, CaseSensitive() ? 1 : 0);
    WriteInt32(stream, Count());
    for (int i = 0; i < Count(); ++i) {
        const TKeywordEntry& entry = Entry(i);
        WriteShortString(stream, entry.word);
        entry.follow.WriteTo(stream);
        entry.states.WriteTo(stream);
        WriteInt32(stream, entry.value);
    }
    WriteByte(stream, 0);
}

void TSyntaxKeywords::ReadFrom(TStream& stream) {
    Reset(ReadInt32(stream) != 0);
    ReadInt32(stream); // the word count: the words end with an empty string anyway
    for (;;) {
        std::string word = ReadShortString(stream);
        if (word.empty()) break;
        TLP_CharGroup follow = TLP_CharGroup::ReadFrom(stream);
        TByteSet states = TByteSet::ReadFrom(stream);
        int32_t value = ReadInt32(stream);
        if (value < 0 || value > 255) throw ELexipad(Format("Invalid token value (%d)", value));
        Add(word, follow, states, value);
    }
}

} // namespace quarno
