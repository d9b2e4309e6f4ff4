#pragma once
#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QSizeF>
#include <QString>
#include <memory>

class QImage;

// Pictures of the chart in files, each made in memory and then written
// whole through a temporary file beside it, so a failed write leaves a file
// of that name as it was.

// Writes `image` as PNG; returns the reason when that failed, else nothing.
QString writePngFile(const QImage& image, const QString& path);

// One PDF page of `size` logical pixels (1/96 inch), its painter's
// coordinates those pixels, so a picture painted for the screen comes out
// the same, as lines and text.
class ChartPdfFile {
public:
    ChartPdfFile(const QString& path, const QSizeF& size);
    ~ChartPdfFile();
    // Whether the page is ready to paint on; errorString() tells why not.
    bool isOpen() const { return painter_.isActive(); }
    QPainter& painter() { return painter_; }
    // Ends the page and puts the file in place; false with errorString().
    bool commit();
    QString errorString() const { return error_; }

private:
    QString path_;
    QBuffer bytes_;
    std::unique_ptr<QPdfWriter> writer_;
    QPainter painter_;
    QString error_;
};
