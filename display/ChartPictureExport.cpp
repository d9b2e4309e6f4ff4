#include "display/ChartPictureExport.h"

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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    QImageWriter writer(&file, "png");
    if (!writer.write(image)) {
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString();
        file.cancelWriting();
        file.commit();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

ChartPdfFile::ChartPdfFile(const QString& path, const QSizeF& size) : file_(path)
{
    if (!file_.open(QIODevice::WriteOnly)) {
        error_ = file_.errorString();
        return;
    }
    writer_ = std::make_unique<QPdfWriter>(&file_);
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
        file_.cancelWriting();
        file_.commit();
        return false;
    }
    if (file_.error() != QFileDevice::NoError) {
        error_ = file_.errorString();
        file_.cancelWriting();
        file_.commit();
        return false;
    }
    if (!file_.commit()) {
        error_ = file_.errorString();
        return false;
    }
    return true;
}
