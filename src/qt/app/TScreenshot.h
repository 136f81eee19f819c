// Screenshot mode of headless runs: once the watched window has painted, the
// whole screen is written to a PNG file and the window is closed, which ends
// the application (status 0, or 1 when the file cannot be written).
#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace quarno {

class TScreenshot : public QObject {
    Q_OBJECT
public:
    // Sizes window (which must outlive this object) to the whole screen and
    // watches it for its first paint.
    TScreenshot(QWidget* window, QString path, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Capture();

    QWidget* m_window;
    QString m_path;
    bool m_scheduled = false;
};

} // namespace quarno
