#pragma once

#include <QSize>
#include <QtGlobal>

// Window geometry is reasoned about in twips, as the stored layouts are:
// 15 twips to a screen pixel, so 12000 x 9000 twips is 800 x 600 pixels.
namespace Twips {

constexpr int kPerPixel = 15;

constexpr int toPixels(int twips) { return twips / kPerPixel; }
constexpr int fromPixels(int pixels) { return pixels * kPerPixel; }
// Exact forms, for text layout measured in fractional pixels.
constexpr qreal toPixelsF(int twips) { return twips / qreal(kPerPixel); }
inline int fromPixelsF(qreal pixels) { return qRound(pixels * kPerPixel); }

// The smaller program display: a normal window of 12000 x 9000 twips.
constexpr QSize kSmallerDisplay{toPixels(12000), toPixels(9000)};
// Below this screen size the program cannot be laid out in a window.
constexpr QSize kMinimumScreen{toPixels(9945), toPixels(7590)};

} // namespace Twips
