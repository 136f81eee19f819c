// File, font and page set-up dialogs through Qt.
#include "qt/base/TQtFileDialogs.h"

#include "qt/base/TextConversion.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrinter>

namespace quarno {

QString TQtFileDialogs::QtFilter(const std::string& filter) {
    QStringList entries;
    for (const TDialogFilter& entry : ParseDialogFilter(filter)) {
        QStringList patterns;
        for (const std::string& pattern : entry.patterns)
            patterns << (pattern == "*.*" ? QStringLiteral("*") : FromPath(pattern));
        entries << FromAnsi(entry.description) + " (" + patterns.join(' ') + ")";
    }
    return entries.join(";;");
}

static std::optional<std::string> RunFileDialog(const TFileDialogOptions& options,
                                                QFileDialog::AcceptMode mode) {
    QFileDialog dialog(QApplication::activeWindow(), FromAnsi(options.title),
                       FromPath(options.initialFolder), TQtFileDialogs::QtFilter(options.filter));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    QString suffix = FromPath(options.defaultExt);
    if (suffix.startsWith('.')) suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    // Wildcards such as "*.EXE" are filters, not names to preselect.
    if (!options.fileName.empty() && options.fileName.find('*') == std::string::npos)
        dialog.selectFile(FromPath(options.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return ToPath(QDir::cleanPath(dialog.selectedFiles().first()));
}

std::optional<std::string> TQtFileDialogs::OpenFile(const TFileDialogOptions& options) {
    return RunFileDialog(options, QFileDialog::AcceptOpen);
}

std::optional<std::string> TQtFileDialogs::SaveFile(const TFileDialogOptions& options) {
    return RunFileDialog(options, QFileDialog::AcceptSave);
}

std::optional<TFontChoice> TQtFileDialogs::ChooseFont(const TFontChoice& initial) {
    QFont font(FromAnsi(initial.name), initial.size);
    font.setBold(initial.bold);
    font.setItalic(initial.italic);
    bool accepted = false;
    QFont chosen = QFontDialog::getFont(&accepted, font, QApplication::activeWindow());
    if (!accepted) return std::nullopt;
    TFontChoice choice = initial;
    choice.name = chosen.family().toStdString();
    choice.size = chosen.pointSize() > 0 ? chosen.pointSize() : initial.size;
    choice.bold = chosen.bold();
    choice.italic = chosen.italic();
    return choice;
}

namespace {

QColor ColorOf(int32_t value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int32_t ValueOf(const QColor& color) {
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

} // namespace

std::optional<TColorChoice> TQtFileDialogs::ChooseColor(const TColorChoice& initial) {
    for (int index = 0; index < static_cast<int>(initial.customColors.size()); ++index)
        QColorDialog::setCustomColor(index,
                                     ColorOf(initial.customColors[static_cast<size_t>(index)]));
    QColorDialog dialog(ColorOf(initial.color), QApplication::activeWindow());
    bool accepted = dialog.exec() == QDialog::Accepted;
    TColorChoice choice = initial;
    for (int index = 0; index < static_cast<int>(choice.customColors.size()); ++index)
        choice.customColors[static_cast<size_t>(index)] = ValueOf(QColorDialog::customColor(index));
    if (!accepted) return std::nullopt;
    choice.color = ValueOf(dialog.selectedColor());
    return choice;
}

std::optional<TPageSetup> TQtFileDialogs::PageSetup(const TPageSetup& initial) {
    QPrinter printer;
    if (!initial.printerName.empty())
        printer.setPrinterName(QString::fromStdString(initial.printerName));
    if (initial.paperWidth > 0 && initial.paperHeight > 0)
        printer.setPageSize(QPageSize(
            QSizeF(initial.paperWidth / 1000.0, initial.paperHeight / 1000.0), QPageSize::Inch));
    QMarginsF margins(initial.left / 1000.0, initial.top / 1000.0, initial.right / 1000.0,
                      initial.bottom / 1000.0);
    printer.setPageMargins(margins, QPageLayout::Inch);
    printer.setPageOrientation(initial.portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
    QPageSetupDialog dialog(&printer, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    QPageLayout layout = printer.pageLayout();
    QMarginsF chosen = layout.margins(QPageLayout::Inch);
    QSizeF paper = layout.pageSize().size(QPageSize::Inch);
    TPageSetup setup;
    setup.left = qRound(chosen.left() * 1000);
    setup.top = qRound(chosen.top() * 1000);
    setup.right = qRound(chosen.right() * 1000);
    setup.bottom = qRound(chosen.bottom() * 1000);
    setup.portrait = layout.orientation() == QPageLayout::Portrait;
    setup.paperWidth = qRound(paper.width() * 1000);
    setup.paperHeight = qRound(paper.height() * 1000);
    setup.printerName = printer.printerName().toStdString();
    return setup;
}

} // namespace quarno
