// The editing engine: loading and saving documents, writing ranges of text.
#include "core/base/Exceptions.h"
#include "core/base/FileUtils.h"
#include "core/base/StringUtils.h"
#include "core/base/TFastMemoryStream.h"
#include "core/base/TFileStream.h"
#include "core/base/TMemoryStream.h"
#include "core/document/TextNormalization.h"
#include "core/editor/LexipadMessages.h"
#include "core/editor/TCustomLexipad.h"
#include "core/editor/TCustomLexipadSteps.h"
#include "core/editor/TStyledTextWriter.h"
#include "core/settings/TLP_Settings.h"

#include <algorithm>
#include <new>
#include <vector>

namespace quarno {

namespace {

constexpr int kLoadPiece = 8192;
constexpr int kSaveRetries = 3;

bool IsBreak(char c) {
    return c == '\r' || c == '\n';
}

// Reads a stream into a fresh store, piece by piece, as the insertion
// primitive would; records (start, extent) of every piece.
void ReadInto(TTextStore& store, TStream& stream, std::vector<std::pair<int, int>>& pieces) {
    std::string data;
    std::string normalized;
    std::vector<char> buffer(kLoadPiece);
    bool more = true;
    while (more) {
        int64_t wanted = kLoadPiece - static_cast<int64_t>(data.size());
        int64_t got = wanted > 0 ? stream.Read(buffer.data(), wanted) : 0;
        more = got > 0;
        data.append(buffer.data(), static_cast<size_t>(std::max<int64_t>(got, 0)));
        if (data.empty()) break;
        // A trailing line break may pair with the first byte of the next piece.
        size_t limit = more && IsBreak(data.back()) ? data.size() - 1 : data.size();
        normalized.clear();
        size_t used = NormalizeChunk(data, limit, normalized);
        data.erase(0, used);
        int start = store.CharCount();
        store.AppendText(normalized);
        if (!normalized.empty()) pieces.emplace_back(start, static_cast<int>(normalized.size()));
        if (!more && !data.empty()) more = true; // flush what was held back
    }
    store.ReleaseSpare();
}

} // namespace

void TCustomLexipad::LoadFromStream(TStream& stream) {
    ChangeStep step(*this);
    TTextStore staging;
    staging.ReplaceUndoStack(nullptr);
    std::vector<std::pair<int, int>> pieces;
    try {
        ReadInto(staging, stream, pieces);
    } catch (const std::bad_alloc&) {
        throw ELexipad("Not enough memory for operation");
    }
    EmptyUndoBuffer();
    TUpdateLock lock(*this);
    if (CharCount() > 0) DeleteRange(0, CharCount());
    m_store->TakeContent(staging);
    // The loaded records arrive flagged; the step's end rescans them.
    m_needsRestyle = true;
    m_loading = true;
    if (OnTextChange)
        for (auto [start, extent] : pieces)
            OnTextChange(*this, start, extent);
    m_loading = false;
    m_selection = {0, 0};
    m_topLine = 0;
    m_leftCol = 0;
    if (HasOption(smoWordWrap)) Rewrap();
    EmptyUndoBuffer();
    Changed();
}

void TCustomLexipad::LoadFromFile(const std::string& path) {
    if (!FileExists(path)) throw ELexipad(Format("File '%s' cannot be opened for reading", path));
    try {
        TFileStream stream(path);
        LoadFromStream(stream);
    } catch (const EFOpenError&) {
        throw ELexipad(Format("File '%s' cannot be opened for reading", path));
    }
    if (HasOption(smoTitleAsFilename)) m_printTitle = path;
}

void TCustomLexipad::SetText(std::string_view text) {
    TFastMemoryStream stream(text);
    LoadFromStream(stream);
}

// Writes [start, end) as plain text (CR alone, CR LF with kWriteCrLf, LF
// with kWriteLf) in pieces; returns the bytes the stream took.
int64_t TCustomLexipad::WriteRange(TStream& stream, int start, int end, uint32_t format) const {
    if (format & (kWriteRtf | kWriteHtml)) {
        std::string bytes = StyledText(start, end, format);
        return stream.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
    }
    start = std::clamp(start, 0, CharCount());
    end = std::clamp(end, start, CharCount());
    std::string buffer;
    int64_t written = 0;
    auto flush = [&]() {
        written += stream.Write(buffer.data(), static_cast<int64_t>(buffer.size()));
        buffer.clear();
    };
    for (int index = m_store->RecordFromPosition(start); start < end; ++index) {
        int recordStart = m_store->RecordStart(index);
        std::string_view text = m_store->Record(index).Text();
        size_t from = static_cast<size_t>(start - recordStart);
        size_t to = std::min(text.size(), static_cast<size_t>(end - recordStart));
        for (char c : text.substr(from, to - from)) {
            if (c == '\r' && (format & kWriteLf)) c = '\n';
            buffer.push_back(c);
            if (c == '\r' && (format & kWriteCrLf)) buffer.push_back('\n');
        }
        start = recordStart + static_cast<int>(to);
        if (buffer.size() >= 65536) flush();
    }
    flush();
    return written;
}

std::string TCustomLexipad::StyledText(int start, int end, uint32_t format) const {
    StyleRecords(m_store->RecordFromPosition(start), m_store->RecordFromPosition(end));
    if (format & kWriteRtf) return WriteRtf(*m_store, start, end, *m_settings);
    return WriteHtml(*m_store, start, end, *m_settings,
                     {m_printTitle, m_htmlDate.empty() ? TodayText() : m_htmlDate});
}

void TCustomLexipad::WriteSelection(TStream& stream, uint32_t format) const {
    WriteRange(stream, m_selection.Start(), m_selection.End(), format);
}

std::string TCustomLexipad::SelectedText(uint32_t format) const {
    TMemoryStream stream;
    WriteSelection(stream, format);
    return stream.Bytes();
}

// The write format and the byte count of the whole document in the save format.
std::pair<uint32_t, int64_t> TCustomLexipad::SaveLayout() const {
    if (m_saveFormat == sfRTF)
        return {kWriteRtf, static_cast<int64_t>(StyledText(0, CharCount(), kWriteRtf).size())};
    if (m_saveFormat == sfHTML)
        return {kWriteHtml, static_cast<int64_t>(StyledText(0, CharCount(), kWriteHtml).size())};
    if (m_saveFormat == sfUNIX) return {kWriteLf, CharCount()};
    if (m_store->LineStyle() == lsLF) return {0, CharCount()};
    int breaks = 0;
    m_store->VisitRecords(0, m_store->RecordCount() - 1, [&breaks](const TLineRecord& record, int) {
        breaks += record.EndsWithBreak() ? 1 : 0;
        return true;
    });
    return {kWriteCrLf, CharCount() + breaks};
}

void TCustomLexipad::SaveToStream(TStream* stream) {
    if (!stream) throw EFileSaveError("Bad TStream instance");
    auto [format, expected] = SaveLayout();
    EmptyUndoBuffer();
    int64_t origin = stream->Position();
    bool saved = false;
    {
        TUpdateLock lock(*this);
        for (int attempt = 0; attempt <= kSaveRetries && !saved; ++attempt) {
            stream->SetPosition(origin);
            saved = WriteRange(*stream, 0, CharCount(), format) >= expected;
        }
    }
    EmptyUndoBuffer();
    if (!saved) throw EFileSaveError("Could not save text to stream");
}

void TCustomLexipad::SaveToFile(const std::string& path) {
    TSafeFileStream file(path);
    std::unique_ptr<TUndoStack> kept;
    if (m_keepUndoOnSave) kept = m_store->ReplaceUndoStack(nullptr);
    try {
        SaveToStream(&file);
        file.Commit();
    } catch (...) {
        if (m_keepUndoOnSave) m_store->ReplaceUndoStack(std::move(kept));
        throw;
    }
    if (m_keepUndoOnSave) {
        m_store->ReplaceUndoStack(std::move(kept));
        if (m_store->UndoStack()) m_store->UndoStack()->SetSavePoint();
    }
    if (HasOption(smoTitleAsFilename)) m_printTitle = path;
}

} // namespace quarno
