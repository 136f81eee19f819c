// The print preview window: the recorded pages of a preview printer, one or
// two at a time, at a chosen zoom, with an optional inch grid, page
// navigation, a zoom tool and a hand tool for panning, and a button that
// prints the pages.
#pragma once

#include <QDialog>
#include <QPoint>

#include <functional>

class QComboBox;
class QFrame;
class QLabel;
class QScrollArea;
class QToolButton;
class QWidget;

namespace quarno {

class TPreviewPrinter;

class TPreviewForm : public QDialog {
    Q_OBJECT
public:
    enum TZoomEntry { zeFitToPage, zeFitToWidth, zeCustom };

    TPreviewForm(TPreviewPrinter& printer, QWidget* parent = nullptr);

    int CurrentPage() const { return m_currentPage; }
    double ZoomFactor() const { return m_zoomFactor; }
    bool TwoPages() const;
    // The go-to-page question: the maximum and, in and out, the page
    // number (1-based); false when cancelled. The default shows TGoPageForm.
    std::function<bool(int maximum, int& page)> AskPageNumber;

    // Commands (the buttons run them).
    void FirstPage() { ShowPage(0); }
    void PrevPage() { ShowPage(m_currentPage - 1); }
    void NextPage() { ShowPage(m_currentPage + 1); }
    void LastPage();
    void GoToPage();
    void ChooseZoom(int index);
    void SetPageMode(bool twoPages);
    // A zoom-tool press at a point of a page panel: zooms in (left button)
    // or out, and centres the view on the point.
    void ZoomAt(QWidget* panel, QPoint point, bool zoomIn);
    void ComputeLayout();

    // The parts tests and owners look at.
    QToolButton* Button(const char* name) const;
    QComboBox* ZoomBox() const { return m_zoomBox; }
    QLabel* CurPageLabel() const { return m_curPageLabel; }
    QLabel* ZoomLabel() const { return m_zoomLabel; }
    QLabel* HintLabel() const { return m_hintLabel; }
    QScrollArea* ScrollArea() const { return m_scrollArea; }
    QFrame* PagePanel(int which) const { return which == 0 ? m_pagePanel : m_pagePanel2; }
    QWidget* PaintBox(int which) const { return which == 0 ? m_pb1 : m_pb2; }
    // The page a paint box shows (-1: none).
    int ShownPage(int which) const;
    // Paints a paint box's page (and grid) onto a painter of its size.
    void PaintPage(QPainter& painter, int which) const;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QToolButton* AddButton(const char* name, const QString& caption, const QString& hint,
                           bool checkable = false);
    void BuildToolBar(QWidget* bar);
    void BuildStatusBar(QWidget* bar);
    void BuildPages();
    void ShowPage(int page);
    void UpdateButtons();
    double ZoomOf(int index) const;
    void PanelMouse(QWidget* panel, QEvent* event);
    void RepaintPanels();

    TPreviewPrinter& m_printer;
    int m_currentPage = 0;
    double m_zoomFactor = 1.0;
    bool m_dragging = false;
    QPoint m_dragStart;
    QComboBox* m_zoomBox = nullptr;
    QLabel* m_curPageLabel = nullptr;
    QLabel* m_zoomLabel = nullptr;
    QLabel* m_hintLabel = nullptr;
    QScrollArea* m_scrollArea = nullptr;
    QWidget* m_container = nullptr;
    QFrame* m_pagePanel = nullptr;
    QFrame* m_pagePanel2 = nullptr;
    QWidget* m_pb1 = nullptr;
    QWidget* m_pb2 = nullptr;
};

} // namespace quarno
