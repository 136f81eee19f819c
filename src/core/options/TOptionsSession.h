// The options dialog's hold on a parser while it is open: a working copy of
// the parser's settings is installed in their place and only the dialog's
// two preview editors follow it; closing puts everything back, and the copy
// reaches the parser's own settings only when accepted.
#pragma once

#include "core/settings/TLP_Settings.h"

#include <memory>
#include <vector>

namespace quarno {

class TCustomLexipad;
class TLexipadParser;

class TOptionsSession {
public:
    // Copies the parser's settings into the working copy, installs it,
    // swaps in an attached-controls list holding only the two previews and
    // makes the parser their active parser (slot 1). The parser and the
    // previews must outlive the session.
    TOptionsSession(TLexipadParser& parser, TCustomLexipad& preview,
                    TCustomLexipad& templateEditor);
    // Detaches the previews, puts the parser's own settings and controls
    // back and has the settings applied to those controls again, whether or
    // not the copy was accepted (also when the dialog failed).
    ~TOptionsSession();
    // The session owns the working copy and changes the parser's state.
    TOptionsSession(const TOptionsSession&) = delete;
    TOptionsSession& operator=(const TOptionsSession&) = delete;

    TLP_Settings& Working() { return *m_working; }
    // The working copy goes into the parser's own settings.
    void Accept();

private:
    void Restore() noexcept;

    TLexipadParser& m_parser;
    TCustomLexipad& m_preview;
    TCustomLexipad& m_templateEditor;
    TLP_Settings& m_own;
    std::unique_ptr<TLP_Settings> m_working;
    TLP_Settings* m_installedBefore = nullptr;
    std::vector<TCustomLexipad*> m_controls; // the parser's own list while the session runs
};

} // namespace quarno
