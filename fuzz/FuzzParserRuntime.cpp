// Fuzzes the parser run time and restyling. The first byte picks a language:
// the shipped BASIC dialect, the shipped assembler listing, or tables built
// from the input (rules, handlers, terminators, effects, containers, state
// tables). The rest is a text and a series of edits. Every token must move
// the cursor on and cover exactly what it says, and after each edit the token
// bytes must equal those of a control given the whole text at once, for every
// language (a built one declares the states it carries across lines, see
// DeclareSpanningStates).
#include "core/document/TEdStream.h"
#include "core/editor/TCustomLexipad.h"
#include "core/highlight/ShippedLanguages.h"
#include "core/lexicon/CharSpecifiers.h"

#include <cstdlib>
#include <string>
#include <vector>

using namespace quarno;

namespace {

class Bytes {
public:
    Bytes(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool Empty() const { return m_pos >= m_size; }
    uint8_t Next() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    int Pick(int n) { return Next() % n; }
    int Position(int n) { return ((Next() << 8) | Next()) % n; }
    std::string Take(size_t count) {
        std::string text;
        while (count-- > 0 && !Empty())
            text += static_cast<char>(Next());
        return text;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

const char* kSpecifiers[] = {"a", "[a-c]", "[^a]", "[^]", "\\n", "[0-9]", "[^\\n]", "\"", " "};

uint16_t Group(TLP_Language& language, Bytes& in) {
    return language.Groups().Add(ParseCharSpecifiers(kSpecifiers[in.Pick(9)]).at(0));
}

TLP_MatchPart Part(TLP_Language& language, Bytes& in) {
    TLP_MatchPart part;
    if (in.Pick(4) == 0) {
        part.hasHandler = true;
        part.custom = in.Pick(3) == 0;
        part.handler = in.Pick(24);
    } else {
        part.group = Group(language, in);
    }
    part.repeat = static_cast<uint8_t>(in.Pick(2));
    return part;
}

TLP_Terminator Terminator(TLP_Language& language, Bytes& in) {
    TLP_Terminator terminator;
    if (in.Pick(6) == 0) {
        terminator.hasHandler = true;
        terminator.custom = in.Pick(2) == 0;
        terminator.handler = in.Pick(24);
    } else {
        for (int n = in.Pick(5); n > 0; --n)
            terminator.groups[terminator.count++] = Group(language, in);
    }
    terminator.include = static_cast<uint8_t>(in.Pick(2));
    return terminator;
}

TByteSet States(Bytes& in) {
    return TByteSet{static_cast<uint8_t>(in.Pick(3)), static_cast<uint8_t>(in.Pick(3))};
}

// A rescan restarts at an anchor with that token's context states and stops
// early where no bound state is active, so it agrees with a full scan only
// for a language that declares what carries across lines. A built language
// that changes its states binds them all and keeps state 0 in every set (an
// empty set meets no bound state); one whose context states differ restarts
// at the top of the text.
void DeclareSpanningStates(TLP_Language& language) {
    const TByteSet zero{0};
    bool effects = false;
    bool contexts = false;
    for (int token = 0; token < 256; ++token) {
        auto t = static_cast<uint8_t>(token);
        contexts = contexts || language.ContextStates(t) != language.StartStates();
        if (const TLP_Effect* effect = language.Effect(t)) {
            TLP_Effect kept = *effect;
            kept.removed = kept.removed - zero;
            language.SetEffect(t, kept);
            effects = true;
        }
    }
    if (!effects) {
        if (contexts) language.SetAnchors(TByteSet{});
        return;
    }
    language.SetBoundStates(TByteSet{0, 1, 2});
    language.SetAnchors(TByteSet{});
    language.SetStartStates(language.StartStates() | zero);
    for (int token = 0; token < 256; ++token) {
        auto t = static_cast<uint8_t>(token);
        language.SetContextStates(t, language.ContextStates(t) | zero);
    }
}

void BuildLanguage(TLexipadParser& parser, Bytes& in) {
    TLP_Language& language = parser.Language();
    language.Keywords().Reset(in.Pick(2) == 1);
    const char* words[] = {"a", "ab", "abc", "b", "\r", " ", "1", "c c", "\"", "/*"};
    for (const char* word : words)
        if (in.Pick(2)) language.Keywords().Add(word, TLP_CharGroup{}, States(in), in.Pick(8));
    for (int token = 0; token < 8; ++token) {
        auto t = static_cast<uint8_t>(token);
        if (in.Pick(2)) language.SetHandler(t, {Part(language, in), Terminator(language, in)});
        if (in.Pick(3) == 0) {
            TLP_Effect effect;
            effect.allowed = States(in);
            effect.added = States(in);
            effect.removed = States(in);
            effect.context = static_cast<uint8_t>(in.Pick(2));
            effect.noChange = static_cast<uint8_t>(in.Pick(2));
            effect.stackFlags = static_cast<uint8_t>(in.Pick(16));
            language.SetEffect(t, effect);
        }
        if (in.Pick(4) == 0) language.SetContextStates(t, States(in));
    }
    for (char c : std::string("abc1 \r\"/")) {
        TLP_TokenRule rule;
        rule.start = in.Pick(3) == 0 ? Part(language, in) : TLP_MatchPart{};
        rule.continuation = Part(language, in);
        rule.terminator = Terminator(language, in);
        rule.states = States(in);
        rule.token = static_cast<uint8_t>(in.Pick(8));
        auto ch = static_cast<uint8_t>(c);
        if (in.Pick(2)) language.SetTokenStart(ch, rule);
        if (in.Pick(4) == 0)
            language.SetStateTokenStart(static_cast<uint8_t>(in.Pick(3)), ch, rule);
    }
    language.SetAnchors(States(in));
    language.SetBoundStates(in.Pick(2) ? States(in) : TByteSet{});
    DeclareSpanningStates(language);
    if (in.Pick(2)) language.SetCustomHandlers(true);
    parser.OnCustomParse = [](TLexipadParser&, int id, TEdStream& stream, int& length, int& value) {
        // Misbehaves on purpose: sometimes backwards, sometimes nothing.
        int move = id % 4 - 1;
        for (int i = 0; i < move; ++i)
            if (stream.NextChar() >= 0) ++length;
        if (move < 0) stream.PrevChar();
        value = id * 37;
        return id % 3 != 0;
    };
    parser.ResetState(0);
}

std::vector<uint8_t> FullScan(TLexipadParser& parser, const TTextStore& store) {
    TEdStream stream(store);
    parser.ResetState(0);
    std::vector<uint8_t> bytes;
    while (stream.Pos() < stream.CharCount()) {
        int before = stream.Pos();
        int length = 0;
        int token = parser.NextToken(nullptr, stream, length);
        if (stream.Pos() <= before || length != stream.Pos() - before) std::abort();
        if (token < 0 || token > 255) std::abort();
        bytes.insert(bytes.end(), static_cast<size_t>(length), static_cast<uint8_t>(token));
    }
    return bytes;
}

std::vector<uint8_t> Stored(const TTextStore& store) {
    std::vector<uint8_t> bytes;
    for (int i = 0; i < store.RecordCount(); ++i) {
        const TLineRecord& record = store.Record(i);
        for (int k = 0; k < record.Length(); ++k)
            bytes.push_back(record.Tokens() ? record.Tokens()[k] : 0xEE);
    }
    return bytes;
}

// What a control given the whole text at once stores: the reference for the
// bytes an edit leaves (the scan above cannot be, it has no second pass over
// a container). Its token-seen handler makes it scan token by token, so the
// runs of plain characters other controls take in one step are checked too.
std::vector<uint8_t> FreshRestyle(TLexipadParser& parser, const std::string& text) {
    TCustomLexipad fresh;
    fresh.OnTokenSeen = [](TCustomLexipad&, int&, int, int) {};
    fresh.SetParser(1, &parser);
    fresh.SetText(text);
    return Stored(fresh.Store());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Bytes in(data, size);
    // The shipped parsers are read once; each run restarts them.
    static const std::unique_ptr<TLexipadParser> shipped[] = {MakeShippedParser("basic"),
                                                              MakeShippedParser("asm")};
    int kind = in.Pick(3);
    std::unique_ptr<TLexipadParser> built;
    TLexipadParser* parser = kind < 2 ? shipped[kind].get() : nullptr;
    if (!parser) {
        built = std::make_unique<TLexipadParser>("Fuzz");
        BuildLanguage(*built, in);
        parser = built.get();
    }
    TCustomLexipad pad;
    pad.SetVisibleSize(80, in.Pick(8));
    pad.SetParser(1, parser);
    pad.SetText(in.Take(in.Next() * 4u));
    FullScan(*parser, pad.Store());
    if (Stored(pad.Store()) != FreshRestyle(*parser, pad.Store().Text())) std::abort();
    while (!in.Empty()) {
        int start = in.Position(pad.CharCount() + 1);
        int end = std::min(pad.CharCount(), start + in.Pick(16));
        pad.SetSelection(start, end);
        pad.ReplaceSelection(in.Take(in.Pick(6)));
        FullScan(*parser, pad.Store());
        if (Stored(pad.Store()) != FreshRestyle(*parser, pad.Store().Text())) std::abort();
    }
    return 0;
}
