// A resource's picture: the JPEG bytes of its Image column found, decoded and placed in the picture panel.
#pragma once

#include <QRect>
#include <QSize>
#include <QtGlobal>

class TField;
class TImage;
class TStream;

namespace admin {

// The position of the first FF D8 byte pair at or after the stream's position; -1 when there is none.
qint64 FindJpegStart(TStream& stream);

// Shows the JPEG held in the field; a null field leaves the picture empty. Bytes ahead of the JPEG's start are
// skipped. Bytes that are no JPEG raise the decoder's error, and the picture stays empty.
void LoadResourcePicture(TField& imageField, TImage& image);

// The picture's box in the panel: scaled to the panel's client area (a small picture is enlarged), centred
// vertically, with a third of the spare width on its left; empty for a picture with a zero side.
QRect PlacePicture(QSize panelClient, int panelWidth, QSize picture);

}  // namespace admin
