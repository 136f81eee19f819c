// The options dialog's hold on a parser while it is open.
#include "core/options/TOptionsSession.h"

#include "core/editor/TCustomLexipad.h"
#include "core/highlight/TLexipadParser.h"

namespace quarno {

TOptionsSession::TOptionsSession(TLexipadParser& parser, TCustomLexipad& preview,
                                 TCustomLexipad& templateEditor)
    : m_parser(parser), m_preview(preview), m_templateEditor(templateEditor),
      m_own(parser.Settings()), m_working(std::make_unique<TLP_Settings>()) {
    m_working->Assign(m_own);
    m_installedBefore = m_parser.InstallSettings(m_working.get());
    m_controls = m_parser.ReplaceAttachedControls({});
    try {
        for (TCustomLexipad* editor : {&m_preview, &m_templateEditor}) {
            editor->SetParser(1, &m_parser);
            editor->SetActiveParser(1);
        }
    } catch (...) {
        Restore(); // a session that fails to start still gives everything back
        throw;
    }
}

TOptionsSession::~TOptionsSession() {
    Restore();
}

void TOptionsSession::Restore() noexcept {
    for (TCustomLexipad* editor : {&m_preview, &m_templateEditor}) {
        try {
            if (editor->Parser(1) == &m_parser) editor->SetParser(1, nullptr);
        } catch (...) {
            // A preview that cannot let go is detached below with the list.
        }
    }
    m_parser.InstallSettings(m_installedBefore);
    m_parser.ReplaceAttachedControls(std::move(m_controls));
    m_parser.ReapplyToControls(); // catches what a control raises
}

void TOptionsSession::Accept() {
    m_own.Assign(*m_working);
}

} // namespace quarno
