// Geometry and transforms shared by the picture box and the list thumbnails.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include "imaging/exif_access.h"

namespace lx::gui {

constexpr int kThumbnailSize = 75;
// Background of the high-resolution thumbnails.
constexpr QRgb kThumbnailBackground = 0xFFC6C6C6;

// The picture turned and flipped by a transform code (bits 2-3 clockwise
// quarter turns, then bits 0-1: 1 mirror left-right, 2 both, 3 top-bottom).
QImage ApplyTransform(const QImage& image, TransformCode code);

// Where a w x h picture is drawn in a client area in the fitted display mode:
// the height fills the client less 4 pixels unless the width would not fit,
// then the width does; centred.
QRect FitPictureRect(int w, int h, int clientWidth, int clientHeight);

// Size of a w x h picture drawn into the 75 x 75 thumbnail square.
QSize ThumbnailDrawSize(int w, int h);

}  // namespace lx::gui
