#include "chart/ChartPictureExport.h"

#include "core/WholeFileWrite.h"

#include <QImage>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>

namespace {
constexpr double kScreenDpi = 96.0;
constexpr double kPointsPerPixel = 72.0 / kScreenDpi;
} // namespace

QString writePngFile(const QImage& image, const QString& path)
{
    if (image.isNull())
        return QStringLiteral("There is no picture to write.");
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    QImageWriter writer(&bytes, "png");
    if (!writer.write(image))
        return writer.errorString();
    return writeFileWhole(path, bytes.data());
}

ChartPdfFile::ChartPdfFile(const QString& path, const QSizeF& size) : path_(path)
{
    bytes_.open(QIODevice::WriteOnly);
    writer_ = std::make_unique<QPdfWriter>(&bytes_);
    writer_->setResolution(int(kScreenDpi));
    writer_->setPageLayout(QPageLayout(QPageSize(size * kPointsPerPixel, QPageSize::Point), QPageLayout::Portrait,
                                       QMarginsF(0, 0, 0, 0)));
    writer_->setCreator(QStringLiteral("VELTRA Data Logger"));
    if (!painter_.begin(writer_.get()))
        error_ = QStringLiteral("The PDF page could not be started.");
}

ChartPdfFile::~ChartPdfFile()
{
    if (painter_.isActive())
        painter_.end();
}

bool ChartPdfFile::commit()
{
    if (!painter_.isActive() || !painter_.end()) {
        if (error_.isEmpty())
            error_ = QStringLiteral("The PDF page could not be finished.");
        return false;
    }
    error_ = writeFileWhole(path_, bytes_.data());
    return error_.isEmpty();
}
