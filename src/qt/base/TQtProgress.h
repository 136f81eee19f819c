// The real progress: a modal progress dialog with a Cancel button, shown only
// when the work lasts long enough to be noticed.
#pragma once

#include "core/app/TProgress.h"

#include <QPointer>

class QProgressDialog;

namespace quarno {

class TQtProgress : public TProgress {
public:
    TQtProgress();
    ~TQtProgress() override;
    TQtProgress(const TQtProgress&) = delete;
    TQtProgress& operator=(const TQtProgress&) = delete;

    void Begin(const std::string& text, int maximum) override;
    bool Step(int value) override;
    void End() override;

private:
    QPointer<QProgressDialog> m_dialog;
};

} // namespace quarno
