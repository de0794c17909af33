#pragma once

#include "platform/Drawing.h"

#include <QImage>

namespace tallix {

// clsGradient: fills a rectangle of a surface with a linear two-colour
// gradient, in one call of the platform's gradient fill. DefineRect first;
// one rectangle serves any number of DrawGradient calls.
class clsGradient {
public:
    // The rectangle to fill, right and bottom edges excluded.
    void DefineRect(qint32 X1, qint32 y1, qint32 x2, qint32 y2);

    // Direction 0 runs from the left edge to the right one, 1 from the top
    // edge to the bottom one; colours are 0x00BBGGRR, top byte ignored.
    // Before any DefineRect the rectangle is empty and nothing is drawn.
    void DrawGradient(QImage& hDC, const qint32& Direction, quint32 StartColor,
                      quint32 EndColor) const;

private:
    friend class clsGradientTestAccess;

    struct Rect {
        qint32 left = 0;
        qint32 top = 0;
        qint32 right = 0;
        qint32 bottom = 0;
    };

    static TriVertex MakeVertex(qint32 x, qint32 y, quint32 Color);

    // 0..65535 to the signed 16-bit value with the same low 16 bits: the
    // channel record is declared signed, the platform reads it unsigned.
    static qint16 ToVertexChannel(qint32 Value);

    Rect rcGradient;
};

} // namespace tallix
