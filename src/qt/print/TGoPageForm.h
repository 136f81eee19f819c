// The small dialog that asks the preview window for a page number.
#pragma once

#include <QDialog>

class QSpinBox;

namespace quarno {

class TGoPageForm : public QDialog {
    Q_OBJECT
public:
    explicit TGoPageForm(QWidget* parent = nullptr);
    QSpinBox* PageNum() const { return m_pageNum; }

private:
    QSpinBox* m_pageNum;
};

} // namespace quarno
