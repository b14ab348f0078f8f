#include "platform/qt/qt_icon.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QPixmap>

#include "platform/resources/resource_reader.h"

namespace scribblet::qt {

QIcon qt_icon(HICON handle)
{
    QIcon icon;
    const std::vector<std::uint8_t> *bytes = resources::icon_file_bytes(handle);
    if (bytes == nullptr)
        return icon;
    QByteArray data(reinterpret_cast<const char *>(bytes->data()),
                    static_cast<qsizetype>(bytes->size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "ico");
    for (QImage image = reader.read(); !image.isNull(); image = reader.read()) {
        icon.addPixmap(QPixmap::fromImage(image));
        if (!reader.jumpToNextImage())
            break;
    }
    return icon;
}

} // namespace scribblet::qt
