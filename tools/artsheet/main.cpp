// Draws every picture of an artwork folder onto one dark sheet, labelled with its id and size,
// so the whole family can be looked at side by side.

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSheetWidth = 1200;
constexpr int kLabelWidth = 90;
constexpr int kLabelHeight = 20;
constexpr int kMargin = 12;
constexpr int kLargestSide = 256;
const QColor kWindowColour(5, 5, 5);
const QColor kLabelColour(190, 196, 204);
// A dim frame shows where each picture ends, so opaque and transparent edges can be told apart.
const QColor kFrameColour(48, 52, 58);

struct Picture {
    uint id = 0;
    QSize size;
    QImage image;
};

// Drawn at the sheet's scale, but no side longer than kLargestSide so big pictures fit a cell.
QImage Draw(QSvgRenderer& renderer, double scale) {
    const QSizeF natural = QSizeF(renderer.defaultSize()) * scale;
    const double fit = std::min(1.0, kLargestSide / std::max(natural.width(), natural.height()));
    QImage image((natural * fit).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

bool LoadAll(const QString& folder, double scale, std::vector<Picture>& pictures) {
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.svg")}, QDir::Files);
    for (const QFileInfo& file : files) {
        QSvgRenderer renderer(file.filePath());
        bool isNumber = false;
        const uint id = file.baseName().toUInt(&isNumber);
        if (!isNumber || !renderer.isValid()) {
            std::fprintf(stderr, "not a picture: %s\n", qPrintable(file.filePath()));
            return false;
        }
        pictures.push_back({id, renderer.defaultSize(), Draw(renderer, scale)});
    }
    std::sort(pictures.begin(), pictures.end(),
              [](const Picture& a, const Picture& b) { return a.id < b.id; });
    return !pictures.empty();
}

// Cells flow left to right and wrap at the sheet's width; each row is as tall as its tallest cell.
struct Layout {
    std::vector<QPoint> origins;
    QSize size;
};

Layout Arrange(const std::vector<Picture>& pictures) {
    Layout layout;
    int left = kMargin;
    int top = kMargin;
    int rowHeight = 0;
    for (const Picture& picture : pictures) {
        const int width = std::max(picture.image.width(), kLabelWidth) + kMargin;
        if (left > kMargin && left + width > kSheetWidth) {
            left = kMargin;
            top += rowHeight;
            rowHeight = 0;
        }
        layout.origins.emplace_back(left, top);
        left += width;
        rowHeight = std::max(rowHeight, picture.image.height() + kLabelHeight + kMargin);
    }
    layout.size = QSize(kSheetWidth, top + rowHeight);
    return layout;
}

QImage Sheet(const std::vector<Picture>& pictures) {
    const Layout layout = Arrange(pictures);
    QImage sheet(layout.size, QImage::Format_RGB32);
    sheet.fill(kWindowColour);
    QPainter painter(&sheet);
    painter.setFont(QFont(QStringLiteral("Liberation Sans"), 9));
    for (size_t i = 0; i < pictures.size(); ++i) {
        const Picture& picture = pictures[i];
        const QPoint origin = layout.origins[i];
        painter.setPen(kFrameColour);
        painter.drawRect(QRect(origin, picture.image.size()).adjusted(-1, -1, 0, 0));
        painter.drawImage(origin, picture.image);
        painter.setPen(kLabelColour);
        const QRect label(origin.x(), origin.y() + picture.image.height() + 2,
                          std::max(picture.image.width(), kLabelWidth), kLabelHeight);
        painter.drawText(label, Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("%1  %2×%3")
                             .arg(picture.id)
                             .arg(picture.size.width())
                             .arg(picture.size.height()));
    }
    return sheet;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: kestrola-artsheet ART_FOLDER OUT.png SCALE\n");
        return 2;
    }
    const double scale = QString::fromLocal8Bit(argv[3]).toDouble();
    std::vector<Picture> pictures;
    if (!(scale > 0) || !LoadAll(QString::fromLocal8Bit(argv[1]), scale, pictures))
        return 1;
    if (!Sheet(pictures).save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
