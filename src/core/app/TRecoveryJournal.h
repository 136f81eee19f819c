// Journals of modified documents in a per-user folder, so that a crash loses
// at most the last half minute of work. Each journal names the running copy
// that wrote it; journals whose copy no longer runs are offered back at the
// next start.
#pragma once

#include "core/base/SourceEncoding.h"

#include <string>
#include <string_view>
#include <vector>

namespace quarno {

struct TJournalEntry {
    std::string path;     // the journal file
    std::string fileName; // the document's name, "No_name.bas" when untitled
    TSourceEncoding encoding = TSourceEncoding::Ansi;
    std::string text; // the document's text as the store holds it
};

class TRecoveryJournal {
public:
    static constexpr const char* kMagic = "QUARNO recovery journal 1";

    // folder: where journals live (made, private, at the first write).
    // owner: the identity of this running copy (CurrentOwner() unless a
    // test pretends to be another copy).
    explicit TRecoveryJournal(std::string folder, std::string owner = CurrentOwner());

    // "$XDG_STATE_HOME/QUARNO/recovery/", or under "$HOME/.local/state" when
    // XDG_STATE_HOME is unset, empty or relative.
    static std::string DefaultFolder(const std::string& xdgStateHome, const std::string& home);
    // This process: its id and its start time, which tells it from a later
    // process given the same id.
    static std::string CurrentOwner();
    // Whether the process an owner names still runs.
    static bool OwnerIsRunning(const std::string& owner);

    const std::string& Folder() const { return m_folder; }
    // Replaces a document's journal atomically; EFCreateError when it
    // cannot be written.
    void Write(int documentId, const std::string& fileName, TSourceEncoding encoding,
               std::string_view text) const;
    // Removes a document's journal, if it has one.
    void Remove(int documentId) const;
    // The readable journals of copies that no longer run, oldest name first.
    std::vector<TJournalEntry> Orphans() const;
    void Discard(const TJournalEntry& entry) const;

private:
    std::string JournalPath(int documentId) const;
    std::string PathPrefix() const;

    std::string m_folder; // trailing "/"
    std::string m_owner;
};

} // namespace quarno
