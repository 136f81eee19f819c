// quarno-icon: build step that renders the SVG icon into the PNG sizes of the
// hicolor icon theme: quarno-icon ICON.svg OUTDIR NAME SIZE... writes
// OUTDIR/<SIZE>x<SIZE>/apps/NAME.png for each size.
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 5) {
        std::fprintf(stderr, "usage: quarno-icon ICON.svg OUTDIR NAME SIZE...\n");
        return 2;
    }
    QSvgRenderer renderer(arguments[1]);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "quarno-icon: cannot read %s\n", qPrintable(arguments[1]));
        return 1;
    }
    for (const QString& sizeText : arguments.mid(4)) {
        int size = sizeText.toInt();
        if (size <= 0) {
            std::fprintf(stderr, "quarno-icon: not a size: %s\n", qPrintable(sizeText));
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        QDir folder(arguments[2] + QStringLiteral("/%1x%1/apps").arg(size));
        QString file = folder.filePath(arguments[3] + QStringLiteral(".png"));
        if (!folder.mkpath(QStringLiteral(".")) || !image.save(file, "PNG")) {
            std::fprintf(stderr, "quarno-icon: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
