// One stored line of a document: its characters (the line break CR included),
// one token byte per character once the parser has scanned it, and per-line
// state (repaint and restyle flags, bookmark and continuation marks, gutter
// image bits, colour overrides, an attached line object).
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>

namespace quarno {

enum TLineFlags : uint32_t {
    lfRepaint = 1,        // the line must be painted again
    lfRestyle = 2,        // the parser must rescan it
    lfHasTab = 4,         // the line holds a TAB
    lfRestyleFollow = 16, // restyle requested after a restyled line
    lfTokenEndsHere = 32, // the last scan ended a token with the line
};

constexpr uint16_t kBookmarkBits = 0x03FF;   // bits 0..9: numbered bookmarks 0..9
constexpr uint16_t kSoftContinuation = 4096; // the record continues the previous line
constexpr int kMaxRecordLength = 2047;       // characters a record holds at most
constexpr char kLineBreak = '\r';

// An owner-defined object that follows its line (freed with the line).
class TLineObject {
public:
    virtual ~TLineObject() = default;
};

class TLineRecord {
public:
    TLineRecord() = default;
    explicit TLineRecord(std::string_view text) { SetText(text); }
    ~TLineRecord() {
        if (OwnsAnything()) Release();
    }
    TLineRecord(TLineRecord&& other) noexcept { *this = std::move(other); }
    // Inline: a block shifts its records by moving them, mostly onto records
    // just moved from, which own nothing.
    TLineRecord& operator=(TLineRecord&& other) noexcept {
        if (this == &other) return *this;
        if (OwnsAnything()) Release();
        m_text = std::exchange(other.m_text, nullptr);
        m_length = std::exchange(other.m_length, uint16_t{0});
        m_side = std::exchange(other.m_side, uintptr_t{0});
        m_flags = other.m_flags;
        m_marks = other.m_marks;
        return *this;
    }
    // A record is one line of one store; copies of it would share its text.
    TLineRecord(const TLineRecord&) = delete;
    TLineRecord& operator=(const TLineRecord&) = delete;

    int Length() const { return m_length & kLengthMask; }
    std::string_view Text() const { return {CStr(), static_cast<size_t>(Length())}; }
    // NUL-terminated characters ("" for an empty record).
    const char* CStr() const { return m_text ? m_text : ""; }
    bool EndsWithBreak() const { return Length() > 0 && m_text[Length() - 1] == kLineBreak; }
    // Length without the line break.
    int TextLength() const { return EndsWithBreak() ? Length() - 1 : Length(); }

    // One token value per character, or null before the parser scanned the line.
    uint8_t* Tokens() { return m_length & kTokensDropped ? nullptr : TokenBytes(); }
    const uint8_t* Tokens() const { return m_length & kTokensDropped ? nullptr : TokenBytes(); }
    uint8_t* EnsureTokens();
    // Bytes the list keeps are only set aside, to be taken again.
    void DropTokens();

    uint32_t Flags() const { return m_flags; }
    void SetFlags(uint32_t flags) { m_flags = flags; }
    void AddFlags(uint32_t flags) { m_flags |= flags; }
    void ClearFlags(uint32_t flags) { m_flags &= ~flags; }

    uint16_t Marks() const { return m_marks; }
    void SetMarks(uint16_t marks) { m_marks = marks; }
    bool IsContinuation() const { return (m_marks & kSoftContinuation) != 0; }

    uint16_t Images() const { return HasExtras() ? ExtrasOf()->images : 0; }
    void SetImages(uint16_t images);
    int32_t TextColor() const { return HasExtras() ? ExtrasOf()->textColor : -1; }
    int32_t BackColor() const { return HasExtras() ? ExtrasOf()->backColor : -1; }
    void SetColors(int32_t textColor, int32_t backColor);
    TLineObject* Object() const { return HasExtras() ? ExtrasOf()->object.get() : nullptr; }
    void SetObject(std::unique_ptr<TLineObject> object);

    // Moves marks, images, colours and the line object to another record
    // (the record that takes this line's place when it is rebuilt).
    void MoveAttributesTo(TLineRecord& target);

private:
    friend class TLineList; // keeps the character counts when the text changes
    // Replaces the characters with an owned copy; the token bytes are dropped.
    void SetText(std::string_view text);
    // Shows NUL-terminated characters kept by the record's list (a loaded
    // text is stored in a few large slabs rather than one allocation a line).
    void ShowText(const char* text, int length);
    // Shows token bytes kept by the list, as ShowText does the characters.
    void ShowTokens(uint8_t* tokens);
    bool ShowsListText() const { return m_text && !(m_length & kOwnsText); }
    bool HasListTokens() const { return (m_length & kListTokens) != 0; }
    void FreeText();
    void FreeTokens();

    // Rarely used per-line state lives apart to keep records small; a record
    // that has it finds its token bytes there too.
    struct Extras {
        uint16_t images = 0;
        int32_t textColor = -1;
        int32_t backColor = -1;
        std::unique_ptr<TLineObject> object;
        uint8_t* tokens = nullptr;
    };
    bool HasExtras() const { return (m_length & kHasExtras) != 0; }
    Extras* ExtrasOf() const { return reinterpret_cast<Extras*>(m_side); }
    Extras& EnsureExtras();
    // Takes the extras away, leaving the record its token bytes.
    std::unique_ptr<Extras> DetachExtras();
    void AttachExtras(std::unique_ptr<Extras> extras);
    uint8_t* TokenBytes() const {
        return HasExtras() ? ExtrasOf()->tokens : reinterpret_cast<uint8_t*>(m_side);
    }
    void SetTokenBytes(uint8_t* tokens);
    // Token bytes, extras or characters of its own to free.
    bool OwnsAnything() const { return m_side != 0 || (m_length & kOwnsText) != 0; }
    void Release();

    // The top bit of m_length says the record owns m_text (else the list
    // does); the next one that the list owns the token bytes (else the record
    // does), the next that those were dropped, and the next that m_side holds
    // the extras rather than the token bytes.
    static constexpr uint16_t kOwnsText = 0x8000;
    static constexpr uint16_t kListTokens = 0x4000;
    static constexpr uint16_t kTokensDropped = 0x2000;
    static constexpr uint16_t kHasExtras = 0x1000;
    static constexpr uint16_t kLengthMask = 0x0FFF;

    // One word for the token bytes or the extras: a record is 24 bytes, and
    // a loaded document holds one per line.
    const char* m_text = nullptr;
    uintptr_t m_side = 0;
    uint32_t m_flags = 0;
    uint16_t m_length = 0;
    uint16_t m_marks = 0;
};

} // namespace quarno
