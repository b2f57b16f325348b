#pragma once

#include <QColor>
#include <QtGlobal>

// Colours are stored the Windows way, as 0x00BBGGRR integers (red in the low
// byte). These convert at the edge between stored values and QColor.
inline QColor colourFromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

inline quint32 bgrFromColour(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return quint32(rgb.red()) | (quint32(rgb.green()) << 8) | (quint32(rgb.blue()) << 16);
}
