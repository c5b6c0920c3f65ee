// Finding, decoding and placing a resource's picture.
#include "admin/ResourcePicture.h"

#include "platform/db/ADOBlobStream.h"
#include "platform/db/Field.h"
#include "platform/ui/Image.h"
#include "platform/ui/Jpeg.h"

#include <algorithm>
#include <cmath>

namespace admin {

qint64 FindJpegStart(TStream& stream) {
    const qint64 start = stream.Position();
    QByteArray rest(static_cast<qsizetype>(std::max<qint64>(0, stream.Size() - start)), '\0');
    rest.resize(static_cast<qsizetype>(stream.Read(rest.data(), rest.size())));
    stream.SetPosition(start);
    const qsizetype found = rest.indexOf(QByteArrayLiteral("\xFF\xD8"));
    return found < 0 ? -1 : start + found;
}

void LoadResourcePicture(TField& imageField, TImage& image) {
    image.Picture().SetGraphic(nullptr);
    if (imageField.IsNull()) return;
    TADOBlobStream stream(imageField, bmRead);
    const qint64 start = std::max<qint64>(0, FindJpegStart(stream));
    stream.SetPosition(start);
    QByteArray bytes(static_cast<qsizetype>(stream.Size() - start), '\0');
    bytes.resize(static_cast<qsizetype>(stream.Read(bytes.data(), bytes.size())));
    TJPEGImage jpeg;
    jpeg.LoadFromBytes(bytes);
    image.Picture().SetGraphic(&jpeg);
}

QRect PlacePicture(QSize panelClient, int panelWidth, QSize picture) {
    int width = 0;
    int height = 0;
    if (picture.width() > 0 && picture.height() > 0) {
        const double scale =
            std::min(double(panelClient.height()) / picture.height(), double(panelClient.width()) / picture.width());
        width = int(std::lround(picture.width() * scale));
        height = int(std::lround(picture.height() * scale));
    }
    return {(panelWidth - width) / 3, (panelClient.height() - height) / 2, width, height};
}

}  // namespace admin
