// The editing control's built-in replace dialog.
#include "qt/editor/TLexipadReplaceDialog.h"

#include "core/services/TStoreSearch.h"
#include "qt/base/CommandBoundary.h"
#include "qt/base/TextConversion.h"
#include "qt/editor/TLexipad.h"

#include <QApplication>
#include <QBoxLayout>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace quarno {

TLexipadReplaceDialog::TLexipadReplaceDialog(TLexipad& pad)
    : TLexipadFindDialog(pad), m_replaceText(new QLineEdit),
      m_replace(new QPushButton(tr("&Replace"))),
      m_replaceAll(new QPushButton(tr("Replace &All"))) {
    setWindowTitle(tr("Replace"));
    m_replaceText->setObjectName(QStringLiteral("ReplaceText"));
    m_replace->setObjectName(QStringLiteral("ReplaceButton"));
    m_replaceAll->setObjectName(QStringLiteral("ReplaceAllButton"));
    Fields().addRow(tr("Re&place with:"), m_replaceText);
    Buttons().insertWidget(1, m_replace);
    Buttons().insertWidget(2, m_replaceAll);
    connect(m_replace, &QPushButton::clicked, this, [this] { RunCommand([this] { Replace(); }); });
    connect(m_replaceAll, &QPushButton::clicked, this,
            [this] { RunCommand([this] { ReplaceAll(); }); });
    UpdateButtons();
}

std::string TLexipadReplaceDialog::ReplaceText() const {
    return ToAnsi(m_replaceText->text());
}

void TLexipadReplaceDialog::UpdateButtons() {
    TLexipadFindDialog::UpdateButtons();
    m_replace->setEnabled(HasSearchText());
    m_replaceAll->setEnabled(HasSearchText());
}

// The selection counts as a match when a forward search from its start finds
// exactly it. An invalid pattern counts as no match here; the search that
// follows reports it.
bool TLexipadReplaceDialog::ReplaceSelectedMatch(uint32_t options, const std::string& text) {
    TLexipad& pad = Pad();
    TStoreSearch& search = pad.SearchEngine();
    int start = pad.SelStart();
    int end = start + pad.SelLength();
    uint32_t forward = options & ~uint32_t{foBackward};
    std::optional<TFindMatch> match;
    try {
        if (end > start) match = search.Search(pad.Store(), start, forward, text);
    } catch (const EREParser&) {
        return false;
    }
    if (!match || match->start != start || match->end != end) return false;
    // The replace variant selects the match again and fills in a regular
    // expression's references.
    pad.SetSelection(start, start, false);
    std::optional<std::string> insertion = pad.FindReplace(forward, text, ReplaceText());
    if (!insertion) return false;
    pad.ReplaceSelection(*insertion);
    // Going up, the next search starts before the inserted text, so that is
    // never found again.
    if (options & foBackward) pad.SetSelection(start, start);
    return true;
}

void TLexipadReplaceDialog::Replace() {
    std::string text = SearchText();
    if (text.empty()) return;
    // The control's text operations ignore ReadOnly (they serve its owner),
    // so the dialog must not replace in a read-only control; it only finds.
    if (!Pad().ReadOnly()) ReplaceSelectedMatch(OptionWord(), text);
    FindNext();
}

int TLexipadReplaceDialog::ReplaceAll() {
    std::string text = SearchText();
    if (text.empty()) return 0;
    if (Pad().ReadOnly()) {
        QApplication::beep();
        return 0;
    }
    int count = Pad().ReplaceAll(OptionWord() & ~uint32_t{foBackward}, text, ReplaceText());
    if (count == 0 && !Pad().PatternFailed()) Pad().ReportSearchFail(text);
    return count;
}

} // namespace quarno
